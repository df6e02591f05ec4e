#include "editor/model/wizard/first_use.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/model/wizard/wizard_finish.h"
#include "foundation/settings.h"
#include "protocol/window_messages.h"
#include "wizard_rig.h"

namespace tessaro::wizard {
namespace {

using testing::Rig;

Answers FirstUseAnswers() {
    Answers a;
    a.Set("P66Solitary").checked = true;
    a.Set("P66UsePrefix").checked = true;
    a.Set("P66CaseSense").checked = true;
    a.Set("P66PrefixKeys").text = ";;";
    a.Set("P67DoKey").checked = true;
    a.Set("P67DoMouse").checked = true;
    a.Set("P67ToWindow").checked = true;
    a.Set("P67DoTime").checked = true;
    a.Set("P67HalfSpeed").checked = true;
    a.Set("P68Network").checked = true;
    a.Set("P74Host").text = " smtp.example.com ";
    a.Set("P74Port").text = "587";
    a.Set("P74Name").text = "Jo";
    a.Set("P74Address").text = "jo@example.com";
    a.Set("P69Date").checked = true;
    a.Set("P69Print").checked = true;
    return a;
}

TEST(FirstUse, StoresEverySectionInOrderAndAnnouncesIt) {
    Rig rig;
    const auto result = FinishUp(28, FirstUseAnswers(), rig.ctx);
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(result));
    const WizardOutcome& out = std::get<WizardOutcome>(result);
    EXPECT_FALSE(out.Finished) << "no macro";
    std::array<bool, 11> chosen{};
    chosen[2] = chosen[10] = true;
    EXPECT_EQ(out.FirstTimeChoices, chosen);
    EXPECT_EQ(kFollowUps[2].function, 6);
    EXPECT_EQ(kFollowUps[10].function, 14);

    using Notice = std::pair<std::uint32_t, std::int32_t>;
    EXPECT_EQ(rig.notices, (std::vector<Notice>{{puSettingsSnipra, 0},
                                                {puSettingsCapture, 0},
                                                {puSettingsNetwork, 0},
                                                {puSettingsEMail, 0},
                                                {puSettingsMisc, 0}}));

    // What the player reloads is what is in the file.
    TConfigRecord stored;
    LoadSnipraSettings(stored);
    LoadCaptureSettings(stored);
    LoadNetworkSettings(stored);
    LoadEMailSettings(stored);
    EXPECT_TRUE(stored.SnipraSolitaryUsage);
    EXPECT_FALSE(stored.SnipraUseSuffix);
    EXPECT_EQ(stored.SnipraCaseMode, 2) << "case sensitive: the typed case must match";
    EXPECT_EQ(stored.SnipraPrefixKeys.str(), ";;");
    EXPECT_TRUE(stored.CapKeys);
    EXPECT_TRUE(stored.CapMouse);
    EXPECT_TRUE(stored.CapTime);
    EXPECT_EQ(stored.CapRelativeToScreen, 2);
    EXPECT_EQ(stored.CapSpeed, 2);
    EXPECT_TRUE(stored.NetworkMode);
    EXPECT_TRUE(stored.AutoSync);
    EXPECT_EQ(stored.SyncMinutes, 10);
    EXPECT_EQ(stored.SMTPHost.str(), "smtp.example.com");
    EXPECT_EQ(stored.SMTPPort, 587);
    EXPECT_EQ(stored.EMailName.str(), "Jo");
    EXPECT_EQ(stored.EMailAddress.str(), "jo@example.com");
}

TEST(FirstUse, OffChoicesStoreTheirOwnValues) {
    Rig rig;
    Answers a = FirstUseAnswers();
    a.Set("P66CaseSense").checked = false;
    a.Set("P68Network").checked = false;
    a.Set("P67ToWindow").checked = false;
    a.Set("P67HalfSpeed").checked = false;
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(28, a, rig.ctx)));
    EXPECT_EQ(rig.config->SnipraCaseMode, 3) << "case ignored";
    EXPECT_FALSE(rig.config->NetworkMode);
    EXPECT_FALSE(rig.config->AutoSync);
    EXPECT_EQ(rig.config->SyncMinutes, 0);
    EXPECT_EQ(rig.config->CapRelativeToScreen, 3);
    EXPECT_EQ(rig.config->CapSpeed, 1);
}

TEST(FirstUse, BadPortIsRefusedBeforeAnythingIsStored) {
    Rig rig;
    Answers a = FirstUseAnswers();
    a.Set("P74Port").text = "25x";
    const auto result = FinishUp(28, a, rig.ctx);
    ASSERT_TRUE(std::holds_alternative<FormError>(result));
    EXPECT_EQ(std::get<FormError>(result).focus, "P74Port");
    EXPECT_TRUE(rig.notices.empty());
    EXPECT_FALSE(rig.config->NetworkMode);
}

TEST(FirstUse, PagesShowTheCurrentSettingsAndStoreThemBackUnchanged) {
    Rig rig;
    TConfigRecord& c = *rig.config;
    c.SnipraSolitaryUsage = true;
    c.SnipraUseSuffix = false;
    c.SnipraCaseMode = 2;
    c.SnipraPrefixKeys = "//";
    c.CapKeys = true;
    c.CapTime = true;
    c.CapRelativeToScreen = 3;
    c.CapSpeed = 4;
    c.NetworkMode = true;
    c.SMTPHost = "mail.example.com";
    c.SMTPPort = 25;
    c.EMailName = "Al";
    c.EMailAddress = "al@example.com";
    Answers a;
    LoadFirstUsePages(c, a);
    EXPECT_TRUE(a.Checked("P66CaseSense"));
    EXPECT_TRUE(a.Checked("P67ToPosition"));
    EXPECT_TRUE(a.Checked("P67QuadSpeed"));
    EXPECT_FALSE(a.Checked("P67DoMouse"));
    EXPECT_EQ(a.Text("P74Port"), "25");

    const TConfigRecord before = c;
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(28, a, rig.ctx)));
    EXPECT_EQ(c.SnipraCaseMode, before.SnipraCaseMode);
    EXPECT_EQ(c.SnipraUseSuffix, before.SnipraUseSuffix);
    EXPECT_EQ(c.SnipraPrefixKeys, before.SnipraPrefixKeys);
    EXPECT_EQ(c.CapRelativeToScreen, before.CapRelativeToScreen);
    EXPECT_EQ(c.CapSpeed, before.CapSpeed);
    EXPECT_EQ(c.SMTPHost, before.SMTPHost);
    EXPECT_EQ(c.SMTPPort, before.SMTPPort);
    EXPECT_EQ(c.EMailAddress, before.EMailAddress);

    c.SnipraCaseMode = 1;  // first-letter rule: no box to show it, left unticked
    Answers other;
    LoadFirstUsePages(c, other);
    EXPECT_FALSE(other.Checked("P66CaseSense"));
}

}  // namespace
}  // namespace tessaro::wizard
