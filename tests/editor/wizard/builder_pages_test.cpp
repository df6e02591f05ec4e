#include "editor/wizard/builder_pages.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <map>

#include "editor/model/wizard/first_use.h"
#include "editor/model/wizard/wizard_finish.h"
#include "foundation/settings.h"
#include "platform/cp1252.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/editor/model/wizard/wizard_rig.h"
#include "tests/editor/wizard/page_host.h"

namespace tessaro {
namespace {

using wizard::testing::PageHost;
using wizard::testing::Rig;

TEST(BuilderPages, CapturePagesPresetFromTheSettingsAndArmTheChosenWindow) {
    Rig rig;
    rig.AddMacro(scSystem, 300, "Start / Stop Capture", "2");
    rig.config->CapKeys = false;
    rig.config->CapMouse = true;
    rig.config->CapRelativeToScreen = 2;
    rig.config->CapTime = true;
    rig.config->CapSpeed = 3;
    rig.desktop.AddWindow("Spreadsheet", 20, "calc");
    rig.desktop.AddWindow("Notes", 21, "notes");
    rig.desktop.AddWindow("Minimised", 22, "mini", true);
    auto group = MakeCapturePages();
    PageHost host(*group, rig, 7);
    host.extra.Set("P3KeyList").index = 65;
    host.extra.Set("P10Nick").text = "Recorded";

    host.Show(59);
    EXPECT_TRUE(host.Get<QAbstractButton>("P59No")->isChecked());
    EXPECT_FALSE(host.Get<QAbstractButton>("P59AltKey")->isEnabled()) << "no keystrokes: no ALT";
    host.Get<QAbstractButton>("P59Yes")->click();
    EXPECT_TRUE(host.Get<QAbstractButton>("P59AltKey")->isEnabled());

    host.Show(60);
    EXPECT_TRUE(host.Get<QAbstractButton>("P60Window")->isChecked());
    EXPECT_TRUE(host.Get<QWidget>("P60Pan1")->isEnabled());
    host.Get<QAbstractButton>("P60No")->click();
    EXPECT_FALSE(host.Get<QWidget>("P60Pan1")->isEnabled());
    EXPECT_FALSE(host.Get<QWidget>("P60Pan2")->isEnabled());
    host.Get<QAbstractButton>("P60Yes")->click();

    host.Show(61);
    EXPECT_TRUE(host.Get<QAbstractButton>("P61Two")->isChecked());
    host.Get<QAbstractButton>("P61Ten")->click();

    host.Show(62);
    auto* list = host.Get<QListWidget>("P62ProgList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "Notes");
    list->setCurrentRow(1);
    host.Get<QAbstractButton>("P62Specific")->click();

    host.Show(63);
    EXPECT_EQ(host.Get<QLabel>("P63OwnKey")->text().toStdString(), HotKeyNames(65));
    EXPECT_EQ(host.Get<QLabel>("P63StopKey")->text().toStdString(), HotKeyNames(300));

    const auto result = wizard::FinishUp(7, host.Snapshot(), rig.ctx);
    ASSERT_TRUE(std::holds_alternative<wizard::WizardOutcome>(result));
    const auto& out = std::get<wizard::WizardOutcome>(result);
    EXPECT_EQ(out.CaptureWindowTitle, "Spreadsheet");
    EXPECT_TRUE(out.CaptureProgramOnly);
    EXPECT_EQ(out.CaptureSpeed, 5);
    EXPECT_EQ(rig.glob->CapKeys, 1);
    EXPECT_EQ(rig.glob->CapRelativeTo, 2);
    EXPECT_EQ(rig.rec->Nickname.str(), "Recorded");
}

TEST(BuilderPages, FirstUsePagesShowTheSettingsAndStoreWhatTheUserChanged) {
    Rig rig;
    rig.config->SnipraCaseMode = 2;
    rig.config->CapMouse = false;
    rig.config->CapTime = true;
    rig.config->CapSpeed = 4;
    rig.config->SMTPHost = "mail.example.com";
    rig.config->SMTPPort = 25;
    auto group = MakeFirstUsePages();
    PageHost host(*group, rig, 28);

    host.Show(65);
    EXPECT_TRUE(host.Get<QAbstractButton>("P66CaseSense")->isChecked());
    EXPECT_TRUE(host.Get<QAbstractButton>("P67QuadSpeed")->isChecked());
    EXPECT_FALSE(host.Get<QWidget>("P67RelativePanel")->isEnabled()) << "mouse options wait for the mouse";
    EXPECT_TRUE(host.Get<QWidget>("P67SpeedPanel")->isEnabled());
    EXPECT_EQ(host.Get<QLineEdit>("P74Host")->text(), "mail.example.com");
    EXPECT_EQ(host.Get<QLineEdit>("P74Port")->text(), "25");

    host.Get<QAbstractButton>("P67DoMouse")->click();
    EXPECT_TRUE(host.Get<QWidget>("P67RelativePanel")->isEnabled());
    host.Get<QAbstractButton>("P67ToScreen")->click();
    host.Get<QAbstractButton>("P66CaseSense")->click();
    host.Get<QLineEdit>("P74Port")->setText("2525");
    host.Get<QAbstractButton>("P69CD")->click();

    const auto result = wizard::FinishUp(28, host.Snapshot(), rig.ctx);
    ASSERT_TRUE(std::holds_alternative<wizard::WizardOutcome>(result));
    const auto& out = std::get<wizard::WizardOutcome>(result);
    for (std::size_t i = 0; i < out.FirstTimeChoices.size(); ++i)
        EXPECT_EQ(out.FirstTimeChoices[i], wizard::kFollowUps[i].control == "P69CD") << i;
    TConfigRecord stored;
    LoadSnipraSettings(stored);
    LoadCaptureSettings(stored);
    LoadEMailSettings(stored);
    EXPECT_EQ(stored.SnipraCaseMode, 3);
    EXPECT_TRUE(stored.CapMouse);
    EXPECT_EQ(stored.CapRelativeToScreen, 1);
    EXPECT_EQ(stored.CapSpeed, 4);
    EXPECT_EQ(stored.SMTPPort, 2525);
    EXPECT_EQ(stored.SMTPHost.str(), "mail.example.com");
    ASSERT_FALSE(rig.notices.empty());
    EXPECT_EQ(rig.notices.back().first, static_cast<std::uint32_t>(puSettingsMisc));
}

}  // namespace
}  // namespace tessaro
