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
               "Work Dial:gsm:alice;Office Wi-Fi:802-11-wireless:;Caf\xC3\xA9 PPP:pppoe:bob;"
               "Busy Line:cdma:;Drop Line:gsm:;Company VPN:vpn:carol",
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
    params.entryName = "Company VPN";
    ASSERT_EQ(tessaro::RasGetEntryDialParams(params), tessaro::kRasSuccess);
    EXPECT_EQ(params.userName, "carol");
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
