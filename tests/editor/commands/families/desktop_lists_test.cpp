// The lists these dialogs take from the desktop: the display modes of a real X server,
// the printers of a private print server, and the dial-up entries of the network
// manager's library (a stand-in) or none at all.
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include <sys/wait.h>

#include "editor/commands/dialup_dialog.h"
#include "editor/commands/display_dialogs.h"
#include "foundation/ras.h"
#include "foundation/strings.h"
#include "platform/cups_printers.h"
#include "platform/paths.h"
#include "tests/editor/commands/dialog_harness.h"
#include "tests/support/print_server.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xvfb.h"
#include "platform/x11/x11_system_settings.h"

namespace tessaro {
namespace {

using testing::Click;
using testing::Named;
using testing::RecordedBoxes;

TEST(DisplayModeList, XvfbModeListedAndChosen) {
    testing::Xvfb server("320x240x24");
    if (server.name().empty()) GTEST_SKIP() << "Xvfb could not start";
    Display* display = server.Open();
    ASSERT_NE(display, nullptr);
    win::x11::X11SystemSettings settings(display);
    EnsureQtApplication();
    TDoScreen dlg(nullptr, settings);
    dlg.NewCommand = 1;
    dlg.show();
    // Xvfb offers the one mode it was started with; its timings are all zero.
    ASSERT_EQ(dlg.SettingBox->count(), 1);
    EXPECT_EQ(dlg.SettingBox->item(0)->text(), " 320 x  240  16777216 Colors  0 hertz");
    EXPECT_TRUE(dlg.SettingBox->item(0)->isSelected());
    testing::SaveScreen(&dlg, "TDoScreen");
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText, "<SCREEN:000>");
    // A stored mode the display no longer has selects nothing; OK asks for a choice.
    RecordedBoxes boxes;
    TDoScreen edit(nullptr, settings);
    edit.NewCommand = 0;
    edit.ModeIndex = 7;
    edit.show();
    EXPECT_TRUE(edit.SettingBox->selectedItems().isEmpty());
    Click(&edit, "OkButton");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "No display setting selected.");
    XCloseDisplay(display);
}

using testing::PrintServer;

TEST(DefaultPrinterList, PrintersOfThePrintServer) {
    testing::TempDir dir;
    PrintServer server(dir.file("cups"), {"Office", "Lab"});
    if (!server.ready()) GTEST_SKIP() << "no print server could be started here";
    EnsureQtApplication();
    win::CupsPrinters printers;
    TDoDefPrint dlg(nullptr, printers);
    dlg.NewCommand = 0;
    dlg.PrinterName = "office";  // found without regard to case
    dlg.show();
    QStringList names;
    for (int i = 0; i < dlg.SettingBox->count(); ++i) names << dlg.SettingBox->item(i)->text();
    names.sort();
    EXPECT_EQ(names, (QStringList{"Lab", "Office"}));
    ASSERT_EQ(dlg.SettingBox->selectedItems().size(), 1);
    EXPECT_EQ(dlg.SettingBox->selectedItems()[0]->text(), "Office");
    testing::SaveScreen(&dlg, "TDoDefPrint");
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText, "<DEFPRT:Office>");
    // A printer that is gone selects nothing.
    TDoDefPrint gone(nullptr, printers);
    gone.NewCommand = 0;
    gone.PrinterName = "Basement";
    gone.show();
    EXPECT_TRUE(gone.SettingBox->selectedItems().isEmpty());
}

TEST(DefaultPrinterList, NoPrintServerGivesAnEmptyList) {
    ::setenv("CUPS_SERVER", "/nonexistent/cups.sock", 1);
    EnsureQtApplication();
    RecordedBoxes boxes;
    win::CupsPrinters printers;
    TDoDefPrint dlg(nullptr, printers);
    dlg.show();
    EXPECT_EQ(dlg.SettingBox->count(), 0);
    Click(&dlg, "OkButton");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "No printer setting selected.");
    ::unsetenv("CUPS_SERVER");
}

class DialupDialog : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        ::setenv("FAKE_NM_CONNECTIONS",
                 "Work Dial:gsm:alice;Office Wi-Fi:802-11-wireless:;Company VPN:vpn:carol:kept pw", 1);
    }
    void TearDown() override {
        RasFreeLibrary();
        ::unsetenv("FAKE_NM_CONNECTIONS");
    }
    static std::string FakeLibrary() { return win::JoinPath(win::ExecutableDirectory(), "libfake_nm.so"); }
};

TEST_F(DialupDialog, EntriesRetrieveAndTheSubstitutedPassword) {
    ASSERT_TRUE(RasLoadLibrary(FakeLibrary()));
    EXPECT_TRUE(DialupAvailableOrWarn(nullptr));
    TDoDialup dlg(nullptr);
    dlg.NewCommand = 0;
    dlg.Preset(DialForm{1, "company vpn", "", "pass U"});
    dlg.show();
    ASSERT_EQ(dlg.PhoneList->count(), 2);
    ASSERT_EQ(dlg.PhoneList->selectedItems().size(), 1);
    EXPECT_EQ(dlg.PhoneList->selectedItems()[0]->text(), "Company VPN");
    Click(&dlg, "Button1");  // Retrieve: the user name and the kept password
    EXPECT_EQ(dlg.UserName->text(), "carol");
    EXPECT_EQ(dlg.Password->text(), "kept pw");
    testing::SaveScreen(&dlg, "TDoDialup");
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText, "<DIAL:<NAME:carol><PASS:" + SwapPasswordChars("kept pw") + ">Company VPN>");
    EXPECT_EQ(dlg.CommandText.find("kept pw"), std::string::npos);

    TDoDialup hang(nullptr);
    hang.show();
    EXPECT_TRUE(Named<QRadioButton>(&hang, "Dial")->isChecked());
    EXPECT_EQ(hang.PhoneList->currentRow(), 0);
    Named<QRadioButton>(&hang, "Hang")->setChecked(true);
    EXPECT_FALSE(hang.EntryPanel->isVisible());
    Click(&hang, "OkButton");
    EXPECT_EQ(hang.CommandText, "<HANG>");
}

TEST_F(DialupDialog, WithoutTheLibraryTheWarningInsteadAndAnEmptyList) {
    RasLoadLibrary("/nonexistent/libnm.so.0");
    RecordedBoxes boxes;
    EXPECT_FALSE(DialupAvailableOrWarn(nullptr));
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].caption, "Warning");
    EXPECT_EQ(boxes.calls[0].text, kRasMissingText);
    TDoDialup dlg(nullptr);
    dlg.show();
    EXPECT_EQ(dlg.PhoneList->count(), 0);
    Click(&dlg, "OkButton");
    EXPECT_EQ(boxes.calls.back().text, kNoPhoneEntry);
    EXPECT_TRUE(dlg.CommandText.empty());
}

}  // namespace
}  // namespace tessaro
