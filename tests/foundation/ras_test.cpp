#include "foundation/ras.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/message_box.h"
#include "platform/paths.h"

namespace {

std::string Library(const char* name) {
    const char* bin = std::getenv("TESSARO_BIN");
    return win::JoinPath(bin ? bin : win::ExecutableDirectory(), name);
}

class RasTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("FAKE_NM_CONNECTIONS",
               "Work Dial:gsm:alice:s3cr\xC3\xA9t;Office Wi-Fi:802-11-wireless:;Caf\xC3\xA9 PPP:pppoe:bob;"
               "Busy Line:cdma:;Drop Line:gsm:;Company VPN:vpn:carol:vpn-pw",
               1);
        unsetenv("FAKE_NM_DOWN");
    }
    void TearDown() override {
        tessaro::RasFreeLibrary();
        unsetenv("FAKE_NM_CONNECTIONS");
        unsetenv("FAKE_NM_DOWN");
    }
};

TEST_F(RasTest, MissingLibraryIsNotAvailableAndEveryOperationRefuses) {
    EXPECT_FALSE(tessaro::RasLoadLibrary("/nonexistent/libnm.so.0"));
    EXPECT_FALSE(tessaro::RasAvailable());
    std::vector<std::string> entries = {"stale"};
    EXPECT_EQ(tessaro::RasEnumEntries(entries), tessaro::kRasServiceUnavailable);
    EXPECT_TRUE(entries.empty());
    tessaro::RasDialParams params{"Work Dial", "", "", false};
    EXPECT_EQ(tessaro::RasDial(params), tessaro::kRasServiceUnavailable);
    EXPECT_EQ(tessaro::RasGetEntryDialParams(params), tessaro::kRasServiceUnavailable);
    std::vector<tessaro::RasConnection> connections;
    EXPECT_EQ(tessaro::RasEnumConnections(connections), tessaro::kRasServiceUnavailable);
    EXPECT_EQ(tessaro::RasHangUp({"Work Dial"}), tessaro::kRasServiceUnavailable);

    std::vector<win::MessageBoxCall> boxes;
    win::ScopedMessageBoxHandler record([&](const win::MessageBoxCall& c) {
        boxes.push_back(c);
        return win::MbResult::Ok;
    });
    tessaro::RasMissingWarning(nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Warning");
    EXPECT_EQ(boxes[0].buttons, win::MbButtons::Ok);
    EXPECT_EQ(boxes[0].text,
              "Dial-Up Connections cannot be performed on this computer. The necessary Windows files "
              "have not been installed.  Missing RASAPI32.DLL");
}

TEST_F(RasTest, EntriesAreTheDialUpConnectionsInWindows1252) {
    ASSERT_TRUE(tessaro::RasLoadLibrary(Library("libfake_nm.so")));
    EXPECT_TRUE(tessaro::RasAvailable());
    std::vector<std::string> entries;
    ASSERT_EQ(tessaro::RasEnumEntries(entries), tessaro::kRasSuccess);
    EXPECT_EQ(entries, (std::vector<std::string>{"Work Dial", "Caf\xE9 PPP", "Busy Line", "Drop Line",
                                                 "Company VPN"}));

    tessaro::RasDialParams params{"Caf\xE9 PPP", "old", "secret", true};
    ASSERT_EQ(tessaro::RasGetEntryDialParams(params), tessaro::kRasSuccess);
    EXPECT_EQ(params.userName, "bob");
    EXPECT_FALSE(params.passwordStored);
    EXPECT_TRUE(params.password.empty());
    // A kept password is handed out, whichever kind of entry keeps it.
    params.entryName = "Company VPN";
    ASSERT_EQ(tessaro::RasGetEntryDialParams(params), tessaro::kRasSuccess);
    EXPECT_EQ(params.userName, "carol");
    EXPECT_TRUE(params.passwordStored);
    EXPECT_EQ(params.password, "vpn-pw");
    params.entryName = "Work Dial";
    ASSERT_EQ(tessaro::RasGetEntryDialParams(params), tessaro::kRasSuccess);
    EXPECT_TRUE(params.passwordStored);
    EXPECT_EQ(params.password, "s3cr\xE9t");
    params.entryName = "Office Wi-Fi";  // not a dial-up connection
    EXPECT_EQ(tessaro::RasGetEntryDialParams(params), tessaro::kRasEntryNotFound);
}

TEST_F(RasTest, DialListAndHangUp) {
    ASSERT_TRUE(tessaro::RasLoadLibrary(Library("libfake_nm.so")));
    std::vector<tessaro::RasConnection> connections;
    ASSERT_EQ(tessaro::RasEnumConnections(connections), tessaro::kRasSuccess);
    EXPECT_TRUE(connections.empty());

    EXPECT_EQ(tessaro::RasDial({"Work Dial", "", "", false}), tessaro::kRasSuccess);
    EXPECT_EQ(tessaro::RasDial({"Caf\xE9 PPP", "", "", false}), tessaro::kRasSuccess);
    ASSERT_EQ(tessaro::RasEnumConnections(connections), tessaro::kRasSuccess);
    ASSERT_EQ(connections.size(), 2u);
    EXPECT_EQ(connections[0].entryName, "Work Dial");
    EXPECT_EQ(connections[1].entryName, "Caf\xE9 PPP");

    // We keep no reference of our own to a connection we dialled.
    void* fake = ::dlopen(Library("libfake_nm.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(fake, nullptr);
    auto refs = reinterpret_cast<int (*)(const char*)>(::dlsym(fake, "fake_nm_active_refs"));
    ASSERT_NE(refs, nullptr);
    EXPECT_EQ(refs("Work Dial"), 1);
    ::dlclose(fake);

    EXPECT_EQ(tessaro::RasHangUp(connections[0]), tessaro::kRasSuccess);
    EXPECT_EQ(tessaro::RasHangUp(connections[0]), tessaro::kRasInvalidHandle);
    ASSERT_EQ(tessaro::RasEnumConnections(connections), tessaro::kRasSuccess);
    ASSERT_EQ(connections.size(), 1u);
    EXPECT_EQ(connections[0].entryName, "Caf\xE9 PPP");
}

// Reads a description the stand-in library gives of its connections.
std::string Fake(const char* function, auto argument) {
    void* fake = ::dlopen(Library("libfake_nm.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!fake) return "library not loaded";
    auto describe = reinterpret_cast<const char* (*)(decltype(argument))>(::dlsym(fake, function));
    std::string text = describe ? describe(argument) : "no such function";
    ::dlclose(fake);
    return text;
}

TEST_F(RasTest, CredentialsGoIntoAVolatileCopyAndTheStoredEntryStaysAsItWas) {
    ASSERT_TRUE(tessaro::RasLoadLibrary(Library("libfake_nm.so")));
    const std::string storedWork = "Work Dial|gsm|alice|stored|1|stored-0|1|";
    const std::string storedVpn = "Company VPN|vpn|carol|stored|1|stored-5|1|";
    EXPECT_EQ(tessaro::RasDial({"Work Dial", "m\xE4x", "pa\xDF", false}), tessaro::kRasSuccess);
    EXPECT_EQ(tessaro::RasDial({"Company VPN", "dave", "vpn-secret", false}), tessaro::kRasSuccess);
    // A password alone is carried too; the user name stays the entry's.
    EXPECT_EQ(tessaro::RasDial({"Caf\xE9 PPP", "", "only-pw", false}), tessaro::kRasSuccess);
    EXPECT_EQ(Fake("fake_nm_added", 0u), "Work Dial|gsm|m\xC3\xA4x|pa\xC3\x9F|0|generated-1|0|volatile");
    EXPECT_EQ(Fake("fake_nm_added", 1u),
              "Company VPN|vpn|dave|stored|1|generated-2|0|volatile"
              "|secret password=vpn-secret|data password-flags=0");
    EXPECT_EQ(Fake("fake_nm_added", 2u), "Caf\xC3\xA9 PPP|pppoe|bob|only-pw|0|generated-3|0|volatile");
    EXPECT_EQ(Fake("fake_nm_stored", "Work Dial"), storedWork);
    EXPECT_EQ(Fake("fake_nm_stored", "Company VPN"), storedVpn);
    void* fake = ::dlopen(Library("libfake_nm.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(fake, nullptr);
    auto clonesAlive = reinterpret_cast<int (*)()>(::dlsym(fake, "fake_nm_clones_alive"));
    ASSERT_NE(clonesAlive, nullptr);
    EXPECT_EQ(clonesAlive(), 0) << "every copy is released once sent";
    ::dlclose(fake);

    // The copy is up under the entry's name, so it lists and hangs up like any other.
    std::vector<tessaro::RasConnection> connections;
    ASSERT_EQ(tessaro::RasEnumConnections(connections), tessaro::kRasSuccess);
    ASSERT_EQ(connections.size(), 3u);
    EXPECT_EQ(connections[0].entryName, "Work Dial");
    EXPECT_EQ(tessaro::RasHangUp(connections[0]), tessaro::kRasSuccess);

    // Without credentials the stored entry itself is dialled, nothing is added.
    EXPECT_EQ(tessaro::RasDial({"Work Dial", "", "", false}), tessaro::kRasSuccess);
    EXPECT_EQ(Fake("fake_nm_added", 3u), "");
    // A refusal of the copy is reported as for the entry.
    EXPECT_EQ(tessaro::RasDial({"Busy Line", "u", "p", false}), tessaro::kRasUnknownError);
    EXPECT_EQ(tessaro::RasLastErrorText(), "Connection activation failed: device busy");
}

TEST_F(RasTest, DialFailuresAreReportedNotHidden) {
    ASSERT_TRUE(tessaro::RasLoadLibrary(Library("libfake_nm.so")));
    EXPECT_EQ(tessaro::RasDial({"Busy Line", "", "", false}), tessaro::kRasUnknownError);
    EXPECT_EQ(tessaro::RasLastErrorText(), "Connection activation failed: device busy");
    EXPECT_EQ(tessaro::RasDial({"Drop Line", "", "", false}), tessaro::kRasNotConnected);
    EXPECT_EQ(tessaro::RasDial({"No Such Entry", "", "", false}), tessaro::kRasEntryNotFound);
    EXPECT_EQ(tessaro::RasDial({"Office Wi-Fi", "", "", false}), tessaro::kRasEntryNotFound);
    std::vector<tessaro::RasConnection> connections;
    ASSERT_EQ(tessaro::RasEnumConnections(connections), tessaro::kRasSuccess);
    EXPECT_TRUE(connections.empty());
}

TEST_F(RasTest, ServiceDownAndMissingEntryPoints) {
    setenv("FAKE_NM_DOWN", "1", 1);
    ASSERT_TRUE(tessaro::RasLoadLibrary(Library("libfake_nm.so")));
    EXPECT_TRUE(tessaro::RasAvailable());  // the library is there; the service is not
    std::vector<std::string> entries;
    EXPECT_EQ(tessaro::RasEnumEntries(entries), tessaro::kRasServiceUnavailable);
    EXPECT_NE(tessaro::RasLastErrorText().find("Could not connect"), std::string::npos);
    unsetenv("FAKE_NM_DOWN");

    ASSERT_TRUE(tessaro::RasLoadLibrary(Library("libfake_nm_partial.so")));
    ASSERT_EQ(tessaro::RasEnumEntries(entries), tessaro::kRasSuccess);
    EXPECT_EQ(entries.size(), 5u);
    EXPECT_EQ(tessaro::RasDial({"Work Dial", "", "", false}), tessaro::kRasProcNotFound);
    EXPECT_NE(tessaro::RasLastErrorText().find("nm_client_activate_connection"), std::string::npos);
    EXPECT_EQ(tessaro::RasHangUp({"Work Dial"}), tessaro::kRasProcNotFound);

    tessaro::RasFreeLibrary();
    EXPECT_FALSE(tessaro::RasAvailable());
    EXPECT_EQ(tessaro::RasEnumEntries(entries), tessaro::kRasServiceUnavailable);
}

}  // namespace
