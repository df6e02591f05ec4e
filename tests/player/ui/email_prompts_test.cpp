// A macro whose e-mail asks for its attachments, through the player's e-mail family (loaded
// from its plugin) and the real Send E-Mail dialog: the dialog shows in its own loop, stays
// open while the user adds files, and "Continue" sends them to a local SMTP server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "foundation/config_record.h"
#include "mail/ui/send_email_dialog.h"
#include "player/commands/email.h"
#include "tests/mail/smtp_test_server.h"
#include "tests/player/engine/interpreter_doubles.h"
#include "tests/support/held_press.h"
#include "tests/support/modal_window.h"
#include "tests/support/qt_app.h"
#include "tests/support/scripted_file_chooser.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

constexpr char kEnd = '\x01';

TEST(EMailPrompts, AttachmentsAddedInTheShownDialogReachTheServer) {
    EnsureQtApplication();
    testing::TempDir dir;
    const std::string first = dir.file("first.txt");
    const std::string second = dir.file("second.bin");
    std::ofstream(first, std::ios::binary) << "first file\r\n";
    std::ofstream(second, std::ios::binary) << std::string(100, '\x07');

    testing::SmtpTestServer server;
    TConfigRecord config{};
    config.SMTPHost = server.address();
    config.SMTPPort = 25;
    config.EMailName = "Ann";
    config.EMailAddress = "ann@example.org";
    testing::ScriptedFileChooser files({first, second});
    mail::MailDialogs dialogs([] { return std::string(); });
    testing::Rig rig;
    rig.families.Register(CommandFamilyId::EMail, std::make_unique<EMailFamily>(config, dialogs));

    std::vector<int> listed;
    testing::WhenShown<mail::TDoTheEmail>("Send E-Mail", [&](mail::TDoTheEmail& d) {
        testing::HeldClick(d.AddButton);
        listed.push_back(d.isVisible() ? d.AttachmentList->count() : -1);
        testing::HeldClick(d.AddButton);
        listed.push_back(d.isVisible() ? d.AttachmentList->count() : -1);
        testing::HeldClick(d.ContinueButton);
    });
    const std::string token =
        std::string("<EMAIL:RNR1TObob@example.org;") + kEnd + "S1Files" + kEnd + "Two" + kEnd + "A3>";
    EXPECT_EQ(rig.Play(token + "after"), "after");
    for (const auto& m : rig.windows.messages) ADD_FAILURE() << m.caption << ": " << m.text;
    EXPECT_EQ(listed, (std::vector<int>{1, 2}));
    ASSERT_EQ(files.owners.size(), 2u);
    EXPECT_TRUE(files.owners[0].shown && files.owners[1].shown);
    ASSERT_EQ(server.messages().size(), 1u);
    const std::string& sent = server.messages()[0];
    EXPECT_NE(sent.find("filename=\"first.txt\"\r\n\r\nfirst file\r\n"), std::string::npos) << sent;
    EXPECT_NE(sent.find("filename=\"second.bin\""), std::string::npos) << sent;
}

// Without its plugin the family says that mail cannot be sent, and why; the macro goes on.
TEST(EMailPrompts, MissingPluginIsReportedAndTheMacroGoesOn) {
    EnsureQtApplication();
    TConfigRecord config{};
    mail::MailDialogs dialogs([] { return std::string(); });
    testing::Rig rig;
    rig.families.Register(CommandFamilyId::EMail,
                          std::make_unique<EMailFamily>(config, dialogs, "/nonexistent/libtesmail.so"));
    const std::string token =
        std::string("<EMAIL:RNR1TObob@example.org;") + kEnd + "S1b" + kEnd + "s" + kEnd + "A1>";
    EXPECT_EQ(rig.Play(token + "on" + token + "on"), "onon");
    ASSERT_EQ(rig.windows.messages.size(), 2u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Winsock Missing");
    const std::string& text = rig.windows.messages[0].text;
    EXPECT_EQ(text.rfind("The necessary winsock files are not present on your computer.", 0), 0u) << text;
    EXPECT_NE(text.find("The e-mail plugin /nonexistent/libtesmail.so cannot be loaded ("), std::string::npos)
        << text;
    EXPECT_EQ(rig.windows.messages[1].text, text);
}

}  // namespace
}  // namespace tessaro
