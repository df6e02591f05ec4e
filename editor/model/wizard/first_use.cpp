#include "editor/model/wizard/first_use.h"

#include <cstdint>
#include <string>

#include "editor/model/tools/mail_log_view.h"
#include "foundation/settings.h"
#include "protocol/window_messages.h"

namespace tessaro::wizard {

const std::array<FollowUp, 11> kFollowUps{{
    {"P69Name", "Type your &name",
     "This next wizard will allow you to paste text into a program. Use it to enter your name and address.",
     1},
    {"P69Email", "Type your e-&mail address",
     "This next wizard will allow you to paste text into a program. Use it to enter your E-Mail tagline.", 1},
    {"P69Date", "Type today's &date",
     "This next wizard will allow you to type a date and/or time into a program.", 6},
    {"P69Dial", "&Dial the Internet",
     "This next wizard will allow you to automatically dial up a networking connection.  This is most often "
     "used to  connect to the Internet.",
     12},
    {"P69SendEMail", "Send an &E-Mail",
     "This next wizard will allow you to automatically send e-mail and attachments to one or more "
     "recipients.",
     29},
    {"P69Net", "Connect a ne&twork drive",
     "This next wizard will allow you to toggle a network drive so that if it is not connected it will be "
     "and if it is connected, it won't be.",
     8},
    {"P69Logoff", "&Log off the computer",
     "This next wizard will allow you to logoff the computer so that you can re-login with a clean start.",
     9},
    {"P69CD", "&Play an audio CD", "This next wizard will allow you to play a music CD.", 15},
    {"P69Pause", "P&ause an audio CD", "This next wizard will allow you to pause a music CD.", 15},
    {"P69Mute", "M&ute the sound",
     "This next wizard will allow you to toggle between muting the sound off and on.", 17},
    {"P69Print", "Choose the default p&rinter",
     "This next wizard will allow you to choose a default Windows printer.", 14},
}};

namespace {

// Abbreviation case modes: 2 the typed case must match, 3 case is ignored.
constexpr std::int32_t kCaseExact = 2;
constexpr std::int32_t kCaseIgnored = 3;
constexpr std::uint16_t kSyncMinutes = 10;

void Check(Answers& a, std::string_view control, bool on) {
    if (on) a.Set(control).checked = true;
}

// One settings section: where the pages' answers go, its saver and its notice code.
struct Section {
    void (*store)(const Answers&, TConfigRecord&);
    bool (*save)(TConfigRecord&);
    std::uint32_t code;
};

void StoreSnipra(const Answers& a, TConfigRecord& c) {
    c.SnipraSolitaryUsage = a.Checked("P66Solitary");
    c.SnipraCaseMode = a.Checked("P66CaseSense") ? kCaseExact : kCaseIgnored;
    c.SnipraUseSuffix = !a.Checked("P66UsePrefix");
    c.SnipraPrefixKeys = a.Text("P66PrefixKeys");
}

void StoreCapture(const Answers& a, TConfigRecord& c) {
    c.CapKeys = a.Checked("P67DoKey");
    c.CapMouse = a.Checked("P67DoMouse");
    c.CapTime = a.Checked("P67DoTime");
    c.CapClicksOnly = a.Checked("P67ClicksOnly");
    c.CapRelativeToScreen = a.Checked("P67ToScreen") ? 1 : a.Checked("P67ToWindow") ? 2 : 3;
    c.CapSpeed = a.Checked("P67QuadSpeed")     ? 4
                 : a.Checked("P67DoubleSpeed") ? 3
                 : a.Checked("P67HalfSpeed")   ? 2
                                               : 1;
}

void StoreNetwork(const Answers& a, TConfigRecord& c) {
    const bool on = a.Checked("P68Network");
    c.NetworkMode = on;
    c.AutoSync = on;
    c.SyncMinutes = on ? kSyncMinutes : 0;
}

void StoreEMail(const Answers& a, TConfigRecord& c) {
    std::int32_t port = 0;
    std::string unused;
    ReadMailPort(a.Text("P74Port"), port, unused);  // checked before anything is stored
    c.SMTPHost = FieldText(a.Text("P74Host"));
    c.SMTPPort = port;
    c.EMailName = FieldText(a.Text("P74Name"));
    c.EMailAddress = FieldText(a.Text("P74Address"));
}

void StoreNothing(const Answers&, TConfigRecord&) {}

constexpr Section kSections[] = {
    {StoreSnipra, SaveSnipraSettings, puSettingsSnipra},
    {StoreCapture, SaveCaptureSettings, puSettingsCapture},
    {StoreNetwork, SaveNetworkSettings, puSettingsNetwork},
    {StoreEMail, SaveEMailSettings, puSettingsEMail},
    {StoreNothing, SaveMiscSettings, puSettingsMisc},
};

}  // namespace

void LoadFirstUsePages(const TConfigRecord& c, Answers& a) {
    Check(a, "P66Solitary", c.SnipraSolitaryUsage);
    Check(a, "P66UsePrefix", !c.SnipraUseSuffix);
    Check(a, "P66CaseSense", c.SnipraCaseMode == kCaseExact);
    a.Set("P66PrefixKeys").text = c.SnipraPrefixKeys.str();
    Check(a, "P67DoKey", c.CapKeys);
    Check(a, "P67DoMouse", c.CapMouse);
    Check(a, "P67DoTime", c.CapTime);
    Check(a, "P67ToScreen", c.CapRelativeToScreen == 1);
    Check(a, "P67ToWindow", c.CapRelativeToScreen == 2);
    Check(a, "P67ToPosition", c.CapRelativeToScreen == 3);
    Check(a, "P67ClicksOnly", c.CapClicksOnly);
    Check(a, "P67ActualSpeed", c.CapSpeed == 1);
    Check(a, "P67HalfSpeed", c.CapSpeed == 2);
    Check(a, "P67DoubleSpeed", c.CapSpeed == 3);
    Check(a, "P67QuadSpeed", c.CapSpeed == 4);
    Check(a, "P68Network", c.NetworkMode);
    a.Set("P74Host").text = c.SMTPHost.str();
    a.Set("P74Port").text = std::to_string(c.SMTPPort);
    a.Set("P74Name").text = c.EMailName.str();
    a.Set("P74Address").text = c.EMailAddress.str();
}

std::optional<FormError> CheckFirstUsePort(const Answers& a) {
    std::int32_t port = 0;
    std::string error;
    if (!ReadMailPort(a.Text("P74Port"), port, error)) return FormError{error, "P74Port"};
    return std::nullopt;
}

std::variant<WizardOutcome, FormError> FinishFirstUse(const Answers& a, WizardContext& ctx) {
    if (auto bad = CheckFirstUsePort(a)) return *bad;
    for (const Section& s : kSections) {
        s.store(a, ctx.Config);
        if (s.save(ctx.Config)) ctx.notify(s.code, 0);
    }
    WizardOutcome out;
    for (std::size_t i = 0; i < kFollowUps.size(); ++i)
        out.FirstTimeChoices[i] = a.Checked(kFollowUps[i].control);
    return out;
}

}  // namespace tessaro::wizard
