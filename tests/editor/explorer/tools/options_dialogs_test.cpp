#include "editor/explorer/tools/options_dialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <sys/stat.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "editor/explorer/tools/mail_log_dialogs.h"
#include "foundation/settings.h"
#include "platform/message_box.h"
#include "protocol/mail_log.h"
#include "protocol/window_messages.h"
#include "tests/support/finishes_in_time.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using Posts = std::vector<std::pair<std::uint32_t, std::int32_t>>;

struct OptionsFixture : ::testing::Test {
    testing::TempDir dir;
    TConfigRecord config{};
    Posts posts;
    std::vector<std::string> boxes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        boxes.push_back(call.caption + ": " + call.text);
        return win::MbResult::Ok;
    }};

    OptionsFixture() { EnsureQtApplication(); }
    PeerNotify Notify() {
        return [this](std::uint32_t code, std::int32_t arg) { posts.emplace_back(code, arg); };
    }
    std::string Ini() {
        std::ifstream in(dir.file("TESRO.INI"), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(OptionsFixture, SettingsPostTheTrayChoiceBeforeSavingMisc) {
    config.UseTray = true;
    config.EMailPath.assign("/old");
    TPreference dlg(nullptr, config, Notify());
    EXPECT_TRUE(dlg.DoTray->isChecked());
    EXPECT_EQ(dlg.EMailPath->text(), "/old");
    dlg.DoHide->setChecked(true);
    dlg.SoundOff->setChecked(true);
    dlg.EMailLog->setText("  /var/log/sent.log ");
    dlg.OkButtonClick();
    EXPECT_EQ(posts, (Posts{{puTrayIcon, 0}, {puSettingsMisc, 0}}));
    EXPECT_FALSE(config.UseTray);
    EXPECT_TRUE(config.SoundOff);
    EXPECT_EQ(config.EMailLogPath.view(), "/var/log/sent.log");
    EXPECT_NE(Ini().find("[Misc]"), std::string::npos);
}

class Switches : public NetworkSwitches {
public:
    std::vector<std::string> calls;
    void SetSyncTimer(bool on, bool restart) override {
        calls.push_back(std::string(on ? "on" : "off") + (restart ? " restart" : ""));
    }
    void NetworkModeStarted() override { calls.push_back("network"); }
};

TEST_F(OptionsFixture, NetworkValuesApplyOnEveryCloseButOnlyOkSavesAndPosts) {
    config.SyncMinutes = 5;
    config.AutoSync = true;
    config.NetworkMode = true;
    Switches main;
    {
        TNetworkConsiderations dlg(nullptr, config, Notify(), main);
        EXPECT_EQ(dlg.Minutes->text(), "5");
        dlg.Minutes->setText("");
        dlg.reject();  // the close box
    }
    EXPECT_EQ(config.SyncMinutes, 0);
    EXPECT_FALSE(config.AutoSync);  // an interval of 0 turns it off
    EXPECT_EQ(main.calls, std::vector<std::string>{"off"});
    EXPECT_TRUE(posts.empty());

    config.NetworkMode = false;
    main.calls.clear();
    TNetworkConsiderations dlg(nullptr, config, Notify(), main);
    EXPECT_FALSE(dlg.AutoSync->isEnabled());
    QTest::mouseClick(dlg.NetworkOption, Qt::LeftButton);
    EXPECT_TRUE(dlg.AutoSync->isEnabled());
    dlg.AutoSync->setChecked(true);
    dlg.Minutes->setText("7");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dlg, &escape);  // Escape is the Ok button
    EXPECT_TRUE(config.NetworkMode);
    EXPECT_EQ(config.SyncMinutes, 7);
    EXPECT_EQ(main.calls, (std::vector<std::string>{"on restart", "network"}));
    EXPECT_EQ(posts, (Posts{{puSettingsNetwork, 0}}));
    EXPECT_NE(Ini().find("[Network]"), std::string::npos);
}

TEST_F(OptionsFixture, SnipraPrefixKeysAreCheckedAndCaseModeNoneStoresThree) {
    config.SnipraCaseMode = 0;
    config.SnipraUseSuffix = false;
    TSnipraOptions dlg(nullptr, config, Notify());
    EXPECT_TRUE(dlg.CaseNone->isChecked());
    EXPECT_TRUE(dlg.PrefixKeys->isEnabled());
    EXPECT_FALSE(dlg.Punct->isEnabled());
    dlg.PrefixKeys->setText(";\\");
    dlg.OkButtonClick();  // the leaving check refuses the backslash
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].starts_with("Error: The Prefix Keys has invalid characters"));
    EXPECT_TRUE(posts.empty());
    dlg.PrefixKeys->setText(";;");
    dlg.OkButtonClick();
    EXPECT_EQ(config.SnipraCaseMode, 3);
    EXPECT_EQ(config.SnipraPrefixKeys.view(), ";;");
    EXPECT_EQ(posts, (Posts{{puSettingsSnipra, 0}}));
    QTest::mouseClick(dlg.UseSuffix, Qt::LeftButton);
    EXPECT_FALSE(dlg.PrefixKeys->isEnabled());
    EXPECT_TRUE(dlg.RetypeSuffix->isEnabled());
}

TEST_F(OptionsFixture, CaptureDefaultsEnableByTheirRules) {
    config.CapMouse = false;
    config.CapRelativeToScreen = 3;
    config.CapSpeed = 2;
    config.CapTime = true;
    TCaptureDefaults dlg(nullptr, config, Notify());
    // Until the box is clicked, Position and clicks-only stay enabled.
    EXPECT_FALSE(dlg.ToScreen->isEnabled());
    EXPECT_TRUE(dlg.ToPosition->isEnabled());
    EXPECT_TRUE(dlg.ClicksOnly->isEnabled());
    EXPECT_FALSE(dlg.DoDouble->isEnabled());
    QTest::mouseClick(dlg.DoMouse, Qt::LeftButton);
    EXPECT_TRUE(dlg.ToWindow->isEnabled());
    EXPECT_FALSE(dlg.DoSize->isEnabled());
    QTest::mouseClick(dlg.ToWindow, Qt::LeftButton);
    EXPECT_TRUE(dlg.DoSize->isEnabled());
    dlg.Speeds[3]->setChecked(true);
    dlg.OkButtonClick();
    EXPECT_TRUE(config.CapMouse);
    EXPECT_EQ(config.CapRelativeToScreen, 2);
    EXPECT_EQ(config.CapSpeed, 4);
    EXPECT_EQ(posts, (Posts{{puSettingsCapture, 0}}));
}

TEST_F(OptionsFixture, EMailOptionsRefuseABadPortAndStoreTrimmedValues) {
    config.SMTPPort = 25;
    TMyEmailOptions dlg(nullptr, config, Notify());
    EXPECT_EQ(dlg.Port->text(), "25");
    dlg.Port->setText("2x");
    dlg.OkButtonClick();
    EXPECT_EQ(
        boxes,
        (std::vector<std::string>{"Error: Invalid port specified.  Normal port number for e-mail is 25."}));
    EXPECT_EQ(config.SMTPPort, 25);
    dlg.Port->setText(" 587 ");
    dlg.Host->setText(" mail.example.org ");
    dlg.Encoding->setCurrentIndex(1);
    dlg.OkButtonClick();
    EXPECT_EQ(config.SMTPPort, 587);
    EXPECT_EQ(config.SMTPHost.view(), "mail.example.org");
    EXPECT_EQ(config.AttachmentEncoding, 1);
    EXPECT_EQ(posts, (Posts{{puSettingsEMail, 0}}));
}

TEST_F(OptionsFixture, AnEmptyLogShowsOneRowAndSaysSoOnView) {
    TMyEMailLog log(nullptr, dir.file("SENT.LOG"));
    EXPECT_EQ(log.windowTitle().toStdString(), "Sent E-Mail Log (" + dir.file("SENT.LOG") + ")");
    EXPECT_EQ(log.AddList->rowCount(), 1);
    log.ViewClick();
    EXPECT_EQ(boxes, (std::vector<std::string>{"Error: There are no logged e-mail records to review."}));
}

TEST_F(OptionsFixture, AFifoAsTheLogOrItsIndexIsRefusedWithoutWaiting) {
    const std::string log = dir.file("SENT.LOG");
    SentMail mail;
    mail.to = {{"Ann", "ann@example.org"}};
    mail.subject = "Hi";
    const TMailLogEntry entry = MakeMailLogEntry(mail, 45000.5, 0, 5);
    std::ofstream(MailIndexName(log), std::ios::binary)
        .write(reinterpret_cast<const char*>(&entry), sizeof entry);
    ASSERT_EQ(::mkfifo(log.c_str(), 0600), 0);
    // Run apart: a reader that waits for a writer would hang the test instead of failing it.
    const auto viewing = [&](const std::vector<std::string>& expected, int rows) {
        return testing::ExitCodeWithin(
            [&] {
                TMyEMailLog view(nullptr, log);
                if (view.AddList->rowCount() != rows) return 1;
                view.ViewClick();
                return boxes == expected ? 0 : 2;
            },
            std::chrono::seconds(10));
    };
    EXPECT_EQ(viewing({"Error: Unable to open EMail Log File."}, 1), 0);

    std::filesystem::remove(MailIndexName(log));
    ASSERT_EQ(::mkfifo(MailIndexName(log).c_str(), 0600), 0);
    EXPECT_EQ(viewing({"Error: There are no logged e-mail records to review."}, 1), 0);
}

}  // namespace
}  // namespace tessaro
