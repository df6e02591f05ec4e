#include "editor/model/wizard/wizard_text.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "editor/model/commands/active_forms.h"
#include "editor/model/commands/clipboard_forms.h"
#include "editor/model/commands/datetime_forms.h"
#include "editor/model/commands/delay_forms.h"
#include "editor/model/commands/desktop_forms.h"
#include "editor/model/commands/dialup_forms.h"
#include "editor/model/commands/display_forms.h"
#include "editor/model/commands/email_command.h"
#include "editor/model/commands/file_forms.h"
#include "editor/model/commands/media_forms.h"
#include "editor/model/commands/netconn_forms.h"
#include "editor/model/commands/nick_forms.h"
#include "editor/model/commands/reboot_forms.h"
#include "editor/model/commands/small_forms.h"
#include "editor/model/commands/system_forms.h"
#include "editor/model/commands/text_forms.h"
#include "editor/model/commands/window_forms.h"
#include "macro/capture_file.h"
#include "macro/macro_record.h"
#include "macro/nickname.h"

namespace tessaro::wizard {

const std::array<ButtonKind, 12> kAudioButtons{{
    {"P44AudioOff", 1},
    {"P44AudioOn", 2},
    {"P44AudioUp", 3},
    {"P44AudioDown", 4},
    {"P44AudioMute", 5},
    {"P44AudioLeft", 6},
    {"P44AudioRight", 7},
    {"P44AudioCenter", 8},
    {"P44TrebleUp", 9},
    {"P44TrebleDown", 10},
    {"P44BassUp", 19},
    {"P44BassDown", 20},
}};

const std::array<ButtonKind, 8> kMidiButtons{{
    {"P45MIDIOff", 11},
    {"P45MIDIOn", 12},
    {"P45MIDIUp", 13},
    {"P45MIDIDown", 14},
    {"P45MIDIMute", 15},
    {"P45MIDILeft", 16},
    {"P45MIDIRight", 17},
    {"P45MIDICenter", 18},
}};

namespace {

// The first checked button's kind; 0 when none is checked.
template <std::size_t N>
std::int32_t KindOf(const Answers& a, const std::array<ButtonKind, N>& buttons) {
    for (const ButtonKind& b : buttons)
        if (a.Checked(b.control)) return b.kind;
    return 0;
}

// Collects the builders' texts and their refusals. The text is complete only when no
// builder refused; every refusal is kept, each pointing at the wizard's control instead of
// the dialog's, so that each page can be told of its own.
class Composer {
public:
    template <class F>
    Composer& Add(const FormResult<F>& r, std::string_view focus) {
        if (r.error)
            faults_.push_back(
                FormError{r.error->message, focus.empty() ? r.error->focus : std::string(focus)});
        else
            Raw(r.CommandText);
        return *this;
    }
    Composer& Fail(FormError e) {
        faults_.push_back(std::move(e));
        return *this;
    }
    Composer& Raw(std::string_view text) {
        if (faults_.empty()) text_ += text;
        return *this;
    }
    std::variant<std::string, FormError> Result() const {
        if (!faults_.empty()) return faults_.front();
        if (text_.size() > kMacroTextCapacity) return FormError{kWizardTextTooLong, ""};
        return text_;
    }
    const std::vector<FormError>& Faults() const { return faults_; }

private:
    std::string text_;
    std::vector<FormError> faults_;
};

std::string Memo(const Answers& a, std::string_view control) { return a.Text(control); }

// The launch list shows the installed programs in their scanned order.
std::string InstalledProgramAt(const WizardContext& ctx, int index) {
    const auto& programs = ctx.installedPrograms.Get();
    if (index < 0 || index >= static_cast<int>(programs.size())) return {};
    return programs[static_cast<std::size_t>(index)].program;
}

// A memo's text as the text dialog stores it; refused when it would not fit, never cut.
FormResult<UpdatedText> TypedText(std::string_view memo) {
    auto r = BuildTypedText(memo);
    if (r.ok() && r.fields.truncated) return Fail<UpdatedText>(kWizardTextTooLong, "");
    return r;
}

void TypeText(const Answers& a, Composer& c) { c.Add(TypedText(Memo(a, "P14MyMemo")), "P14MyMemo"); }

// The address goes in as typed: unlike the web dialog, no scheme is put in front.
void WebSite(const Answers& a, Composer& c) {
    const std::string url = FieldText(a.Text("P22URL"));
    if (auto bad = CheckFreeText(url, "P22URL")) return void(c.Fail(*bad));
    c.Add(Finish(WebFields{url}, a.Checked("P21Web") ? cmd::WebSite : cmd::WebFtp, TNameRec{url}), "P22URL");
}

void PasteText(const Answers& a, Composer& c) {
    const auto clip = [](std::int32_t kind, std::string path = {}) {
        ClipboardForm f;
        f.Kind = kind;
        f.ProgPath = std::move(path);
        return BuildClipboard(f);
    };
    if (a.Checked("P13Text")) {
        const auto endClip = clip(2);
        const auto body = TypedText(Memo(a, "P12MyMemo"));
        // The collected text ends at the first end-of-copy token.
        if (body.ok() && body.CommandText.find(endClip.CommandText) != std::string::npos)
            c.Fail({"The text may not contain " + endClip.CommandText + ".  Please correct.", "P12MyMemo"});
        c.Add(clip(1), "").Add(body, "P12MyMemo").Add(endClip, "");
    } else {
        c.Add(clip(a.Checked("P13File") ? 3 : 6, a.Text("P12Path")), "P12Path");
    }
    c.Add(clip(5), "");
}

void TypeSymbol(const Answers& a, Composer& c) {
    const int cell = a.Index("P4SymbolGrid");  // row * columns + column
    if (cell < 0) return;
    c.Add(BuildSymbol(cell % kSymbolColumns, cell / kSymbolColumns), "P4SymbolGrid");
}

void Launch(const Answers& a, const WizardContext& ctx, Composer& c) {
    const bool openDoc = a.Checked("P30OpenDoc");
    ActiveForm f;
    f.Kind = a.Checked("P30Act") ? 1 : a.Checked("P30LaunchAct") ? 3 : a.Checked("P30ActLaunch") ? 4 : 2;
    const bool launches = f.Kind != 1 && !openDoc;
    if (launches && a.Checked("P31Yes")) {
        FileForm dir;
        dir.Kind = 1;
        dir.ProgPath = a.Text("P31Path");
        dir.As = TextForm::Wizard;
        c.Add(BuildFile(dir), "P31Path");
    }
    const char* pathControl = openDoc ? "P34Path" : a.Checked("P32ProgPath") ? "P32Path" : "P32InstallBox";
    if (openDoc || a.Checked("P32ProgPath"))
        f.ProgPath = a.Text(pathControl);
    else
        f.ProgPath = InstalledProgramAt(ctx, a.Index("P32InstallBox"));
    f.WinTitle = a.Text("P33Title");
    f.As = TextForm::Wizard;
    // The program's page comes before the title's: its fault must not wait behind the title.
    if (auto bad = CheckFreeText(FieldText(f.ProgPath), pathControl)) return void(c.Fail(*bad));
    const auto r = BuildActive(f);
    c.Add(r, r.error && r.error->focus == "WinTitle" ? "P33Title" : pathControl);
}

void DateOrTime(const Answers& a, Composer& c) {
    const bool both = a.Checked("P17Both");
    if (both || a.Checked("P17Date")) {
        DateTimeForm f;
        f.IsTime = false;
        f.Selected = a.Index("P18Format");
        f.Suppress = true;  // the wizard always writes "N"
        f.Future = !(a.Checked("P20Yest") || a.Checked("P20Past"));
        f.Days = a.Checked("P20Today")                         ? "0"
                 : a.Checked("P20Tom") || a.Checked("P20Yest") ? "1"
                                                               : a.Text("P20Days");
        c.Add(BuildDateTime(f), "P20Days");
    }
    if (both) c.Add(BuildTypedText(" "), "");
    if (both || a.Checked("P17Time")) {
        DateTimeForm f;
        f.IsTime = true;
        f.Selected = a.Index("P19Format");
        f.Suppress = true;
        c.Add(BuildDateTime(f), "P19Format");
    }
}

void Network(const Answers& a, Composer& c) {
    NetConnForm f;
    f.NetMode = a.Checked("P5Connect") ? 1 : a.Checked("P5Disconnect") ? 2 : a.Checked("P5Toggle") ? 3 : 0;
    f.Drive = a.ChosenItem("P6DriveBox");
    f.ProgPath = a.Text("P6ProgPath");
    f.MakePerm = a.Checked("P29MakePerm");
    f.ForceDisc = a.Checked("P29ForceDisc");
    f.UseDefault = a.Checked("P29UseDefault");
    f.DispStatus = a.Checked("P29DispStatus");
    f.LogName = a.Text("P29LogName");
    f.LogPass = a.Text("P29LogPass");
    const std::string focus = f.NetMode == 2 ? "P6DriveBox" : "P6ProgPath";
    const auto r = BuildNetConn(f);
    if (r.error && r.error->focus == "LogName") return void(c.Fail({r.error->message, "P29LogName"}));
    if (r.error && r.error->focus == "LogPass") return void(c.Fail({r.error->message, "P29LogPass"}));
    c.Add(r, focus);
}

void Reminder(const Answers& a, Composer& c) {
    if (a.Checked("P26Beep")) {
        c.Add(BuildSound(SoundForm{1, "", false}), "");
    } else if (a.Checked("P26Wave")) {
        c.Add(BuildSound(SoundForm{2, a.Text("P26ProgPath"), true}), "P26ProgPath");
    }
    c.Add(BuildTBox("Reminder", Memo(a, "P26MyMemo")), "P26MyMemo");
    if (a.Checked("P26Delete")) {
        NickForm f;
        f.Kind = 2;
        f.ProgPath = OneLineNickname(a.Text("P10Nick"));
        c.Add(BuildNick(f, false), "P10Nick");
    }
}

const std::array<ButtonKind, 5> kFileButtons{{
    {"P48ChangeDir", 1},
    {"P48CopyFile", 2},
    {"P48RenameFile", 3},
    {"P48DeleteFile", 4},
    {"P48CreateFolder", 5},
}};

DialForm DialOf(const Answers& a) {
    DialForm f;
    f.Kind = 1;
    f.UserName = a.Text("P28UserName");
    f.Password = a.Text("P28Password");
    return f;
}

void Dial(const Answers& a, Composer& c) {
    const auto r = BuildDial(DialOf(a), a.Items("P28PhoneList"), a.Index("P28PhoneList"));
    c.Add(r, r.error && r.error->focus == "Password" ? "P28Password" : "P28PhoneList");
}

void HangUp(Composer& c) {
    DialForm f;
    f.Kind = 2;
    c.Add(BuildDial(f, {}, -1), "");
}

const std::array<ButtonKind, 8> kCDButtons{{
    {"P42Play", 1},
    {"P42Stop", 2},
    {"P42Pause", 3},
    {"P42Prev", 5},
    {"P42Next", 4},
    {"P42GoTo", 6},
    {"P42Eject", 9},
    {"P42Close", 10},
}};

void Sounds(const Answers& a, Composer& c) {
    if (a.Checked("P43Play")) {
        c.Add(BuildSound(SoundForm{2, a.Text("P46FName"), a.Checked("P46Wait")}), "P46FName");
    } else if (a.Checked("P43Audio")) {
        if (const std::int32_t kind = KindOf(a, kAudioButtons)) c.Add(BuildVolume(kind), "");
    } else if (a.Checked("P43MIDI")) {
        if (const std::int32_t kind = KindOf(a, kMidiButtons)) c.Add(BuildVolume(kind), "");
    }
}

// The token button that types a blank.
std::string_view SpaceKey() {
    const auto* b = std::find_if(kTokenButtons.begin(), kTokenButtons.end(),
                                 [](const TokenButton& t) { return t.control == "SpaceButton"; });
    return b->text;
}

void Sweepstakes(const WizardContext& ctx, Composer& c) {
    c.Add(BuildSpeed(SpeedForm{1, "50"}), "");
    const CapturedText taken =
        TakeCapturedText(CaptureFilePath(ctx.programDir), ctx.programDir, kSweepInlineLimit);
    if (!taken.ok) return void(c.Fail({taken.error, ""}));
    c.Raw(taken.macroText);
    c.Add(BuildTypedText(SpaceKey()), "");
}

void Wallpaper(const Answers& a, Composer& c) {
    SysForm f;
    f.Kind = 6;
    f.Track = a.Text("P23Bit");
    f.Tile = a.Checked("P23Tiled");
    f.Placement = a.Checked("P23Stretch") ? 2 : a.Checked("P23Positioned") ? 3 : 1;
    f.XPos = a.Text("P23Left");
    f.YPos = a.Text("P23Top");
    c.Add(BuildSys(f), "P23Bit");
}

void WindowSize(const Answers& a, Composer& c) {
    SizeItForm f;
    const bool move = a.Checked("P35RepTop") || a.Checked("P35RepChoice");
    f.Kind = move ? 2 : 1;
    f.Target.CurrentWin = a.Checked("P35RepTop") || a.Checked("P35SizeTop");
    f.Target.WinTitle = a.Text("P33Title");
    // A move asks for the top first and the left second; the command takes left, then top.
    const char* first = move ? "P36Height" : "P36Width";
    const char* second = move ? "P36Width" : "P36Height";
    f.TheWidth = a.Text(first);
    f.TheHeight = a.Text(second);
    f.As = TextForm::Wizard;
    const auto r = BuildSizeIt(f);
    const std::string focus = r.error ? r.error->focus : "";
    c.Add(r, focus == "WinTitle" ? "P33Title" : focus == "TheHeight" ? second : first);
}

const std::array<ButtonKind, 4> kWindowButtons{{
    {"P38Max", 1},
    {"P38Min", 2},
    {"P38Restore", 3},
    {"P38Close", 4},
}};

void WindowState(const Answers& a, Composer& c) {
    SystemCommandForm f;
    f.Kind = KindOf(a, kWindowButtons);
    f.Target.CurrentWin = a.Checked("P39Top");
    f.Target.WinTitle = a.Text("P40Title");
    if (f.Kind != 0) c.Add(BuildSystemCommand(f), "P40Title");
}

// The special folders of page 22 follow the desktop dialog's folder kinds from 12 on.
inline constexpr std::int32_t kFirstFolderKind = 12;
inline constexpr int kSpecialFolders = 14;

void Explorer(const Answers& a, Composer& c) {
    if (a.Checked("P25Folder")) return void(c.Add(BuildExplore(a.Text("P25Path")), "P25Path"));
    const int index = a.Index("P25SpecList");
    if (index >= 0 && index < kSpecialFolders) c.Add(BuildDesk(kFirstFolderKind + index), "");
}

const std::array<ButtonKind, 7> kDeskButtons{{
    {"P47Cascade", 1},
    {"P47Vertical", 2},
    {"P47Horizontal", 3},
    {"P47Minimize", 4},
    {"P47Restore", 5},
    {"P47Suspend", 6},
    {"P47Undock", 7},
}};

void ScreenSaver(const Answers& a, Composer& c) {
    SysForm f;
    f.Kind = a.Checked("P41On") ? 1 : a.Checked("P41Off") ? 2 : a.Checked("P41Idle") ? 3 : 0;
    f.Number = a.Text("P41Minutes");
    if (f.Kind != 0) c.Add(BuildSys(f), "P41Minutes");
}

void Combined(const Answers& a, Composer& c) {
    for (const std::string& nick : a.Items("P64NewBox")) {
        NickForm f;
        f.Kind = 1;
        f.ProgPath = nick;
        c.Add(BuildNick(f, false), "P64NewBox");
    }
}

// A recipient group: the typed person and the lines picked from the recipient list.
EmailGroup GroupOf(const Answers& a, int page) {
    const std::string prefix = "P" + std::to_string(page);
    EmailGroup g;
    g.name = a.Text(prefix + "Person");
    g.address = a.Text(prefix + "Address");
    const std::string box = prefix + "AddressBox";
    g.selected.assign(a.Items(box).size(), false);
    for (int i : a.Selected(box))
        if (i >= 0 && i < static_cast<int>(g.selected.size())) g.selected[static_cast<std::size_t>(i)] = true;
    return g;
}

bool HasEntries(const EmailGroup& g) {
    return !FieldText(g.address).empty() ||
           std::find(g.selected.begin(), g.selected.end(), true) != g.selected.end();
}

// The control of a faulty e-mail entry; recipients name theirs without the page.
const char* EmailFieldControl(const EmailFault& f) {
    switch (f.field) {
        case EmailFault::Field::Name: return "Person";
        case EmailFault::Field::Address: return "Address";
        case EmailFault::Field::Text: return "P83Memo";
        case EmailFault::Field::Subject: return "P83Subject";
        case EmailFault::Field::FileName: return "P83FileName";
        case EmailFault::Field::Attachment: return "P77AttachBox";
    }
    return "";
}

void Email(const Answers& a, Composer& c) {
    const bool dialUp = a.Checked("P78RAS");
    if (dialUp) Dial(a, c);
    EmailForm f;
    f.receipt = a.Checked("P83Request");
    f.recipientMode = a.Checked("P75Now") ? 1 : 2;
    if (f.recipientMode == 1) {
        f.groups[0] = GroupOf(a, 76);
        // Copies count only when asked for and given someone to go to.
        if (a.Checked("P75cc")) f.groups[1] = GroupOf(a, 81);
        if (a.Checked("P75Blind")) f.groups[2] = GroupOf(a, 82);
        for (std::size_t g = 1; g < f.groups.size(); ++g)
            if (!HasEntries(f.groups[g])) f.groups[g] = EmailGroup{};
    }
    f.textMode = a.Checked("P83Prompt") ? 2 : a.Checked("P83Clip") ? 3 : a.Checked("P83File") ? 4 : 1;
    f.text = WithCrLf(a.Text("P83Memo"));
    f.fileName = a.Text("P83FileName");
    f.subject = FieldText(a.Text("P83Subject"));
    if (f.subject.empty()) f.subject = "No Subject";
    f.attachMode = a.Checked("P77NoAttach") ? 1 : a.Checked("P77ChooseAttach") ? 2 : 3;
    f.attachments = a.Items("P77AttachBox");
    if (const auto fault = CheckEmailForm(f)) {
        std::string focus = EmailFieldControl(*fault);
        if (fault->field == EmailFault::Field::Name || fault->field == EmailFault::Field::Address)
            focus = "P" + std::to_string(fault->group == 0 ? 76 : fault->group == 1 ? 81 : 82) + focus;
        return void(c.Fail({BadCharacterMessage(fault->character), focus}));
    }
    c.Raw(BuildEmailToken(f, a.Items("P76AddressBox")));
    if (dialUp) HangUp(c);
}

}  // namespace

namespace {

void Compose(int function, const Answers& a, const WizardContext& ctx, Composer& c) {
    switch (function) {
        case 1: TypeText(a, c); break;
        case 2: PasteText(a, c); break;
        case 3: TypeSymbol(a, c); break;
        case 4: Launch(a, ctx, c); break;
        case 5: WebSite(a, c); break;
        case 6: DateOrTime(a, c); break;
        case 8: Network(a, c); break;
        case 9:
            c.Add(BuildReboot(a.Checked("P11Logoff")   ? 1
                              : a.Checked("P11Reboot") ? 2
                              : a.Checked("P11Shut")   ? 3
                                                       : 4),
                  "");
            break;
        case 10: Reminder(a, c); break;
        case 11: {
            const FileForm f{KindOf(a, kFileButtons), a.Text("P49Path"), a.Text("P49NewName"),
                             TextForm::Wizard};
            if (f.Kind == 0) break;
            const auto r = BuildFile(f);
            c.Add(r, r.error && r.error->focus == "NewName" ? "P49NewName" : "P49Path");
            break;
        }
        case 12:
            if (a.Checked("P27Hang"))
                HangUp(c);
            else
                Dial(a, c);
            break;
        case 13: c.Add(BuildScreen(a.Index("P16SettingBox")), "P16SettingBox"); break;
        case 14:
            c.Add(BuildDefPrint(a.Items("P15SettingBox"), a.Index("P15SettingBox")), "P15SettingBox");
            break;
        case 15:
            if (const std::int32_t kind = KindOf(a, kCDButtons))
                c.Add(BuildCD(CDForm{kind, a.Text("P42Track")}), "P42Track");
            break;
        case 16: {
            AviForm f;
            f.Kind = a.Checked("P24Immed") ? 1 : a.Checked("P24Exit") ? 2 : 3;
            f.ProgPath = a.Text("P24Path");
            c.Add(BuildAvi(f), "P24Path");
            break;
        }
        case 17: Sounds(a, c); break;
        case 18: Sweepstakes(ctx, c); break;
        case 19: Wallpaper(a, c); break;
        case 20: WindowSize(a, c); break;
        case 21: WindowState(a, c); break;
        case 22: Explorer(a, c); break;
        case 23:
            if (const std::int32_t kind = KindOf(a, kDeskButtons)) c.Add(BuildDesk(kind), "");
            break;
        case 24: ScreenSaver(a, c); break;
        case 26: Combined(a, c); break;
        case 27: c.Raw(a.Text("P58Command")); break;
        case 29: Email(a, c); break;
        default: break;  // 7, 25 and 28 write no text here
    }
}

}  // namespace

std::variant<std::string, FormError> MacroTextOf(int function, const Answers& a, const WizardContext& ctx) {
    Composer c;
    Compose(function, a, ctx, c);
    return c.Result();
}

std::vector<FormError> MacroTextFaults(int function, const Answers& a, const WizardContext& ctx) {
    // The recording is taken out of its file only once, at Finish.
    if (function == 18) return {};
    Composer c;
    Compose(function, a, ctx, c);
    return c.Faults();
}

}  // namespace tessaro::wizard
