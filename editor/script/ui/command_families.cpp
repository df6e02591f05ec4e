#include "editor/script/ui/command_families.h"

#include <QDialog>
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <type_traits>

#include "editor/commands/active_dialog.h"
#include "editor/commands/clipboard_dialog.h"
#include "editor/commands/datetime_dialog.h"
#include "editor/commands/delay_dialogs.h"
#include "editor/commands/desktop_dialogs.h"
#include "editor/commands/dialup_dialog.h"
#include "editor/commands/display_dialogs.h"
#include "editor/commands/email_dialog.h"
#include "editor/commands/encrypt_dialog.h"
#include "editor/commands/file_dialog.h"
#include "editor/commands/media_dialogs.h"
#include "editor/commands/mouse_dialog.h"
#include "editor/commands/netconn_dialog.h"
#include "editor/commands/nick_dialog.h"
#include "editor/commands/reboot_dialogs.h"
#include "editor/commands/repeat_dialog.h"
#include "editor/commands/small_dialogs.h"
#include "editor/commands/system_dialog.h"
#include "editor/commands/text_dialogs.h"
#include "editor/commands/wait_dialog.h"
#include "editor/commands/window_dialogs.h"
#include "editor/script/command_table.h"
#include "editor/script/display_text.h"
#include "editor/script/ui/command_editors.h"
#include "editor/script/ui/do_text_insert.h"

namespace tessaro {

namespace {

inline constexpr std::array<RadioChoice, 0> kNoChoices{};

// The kind of the radio button that makes `code`'s line; 0 when none does.
std::int32_t KindOfCode(std::span<const RadioChoice> table, int code) {
    for (const RadioChoice& c : table)
        if (c.code == code) return c.kind;
    return 0;
}

template <class Rec>
Rec RecordOf(const LineRecord* rec) {
    if (rec != nullptr)
        if (const Rec* r = std::get_if<Rec>(rec)) return *r;
    return Rec{};
}

// The record a preset reads: its last parameter (a repeat's preset takes the code first).
template <class>
struct PresetRecord;
template <class Form, class Rec>
struct PresetRecord<Form (*)(const Rec&)> {
    using type = Rec;
};
template <class Form, class Rec>
struct PresetRecord<Form (*)(int, const Rec&)> {
    using type = Rec;
};

// The record type that holds a member.
template <class>
struct MemberRecord;
template <class Rec, class Field>
struct MemberRecord<Field Rec::*> {
    using type = Rec;
};

// A family's dialog with what it asks for besides its owner: the hosts by their role, the
// use its code names, or the desktop shell's presence.
template <class Dialog>
std::unique_ptr<Dialog> Make(const FamilyRun& run) {
    QWidget* owner = run.owner;
    const CommandEditorHosts& h = run.hosts;
    if constexpr (std::is_same_v<Dialog, TDateOrTime>)
        return std::make_unique<Dialog>(owner, run.request.Code == cmd::Time, h.Settings);
    else if constexpr (std::is_same_v<Dialog, TDoWebStuff>)
        return std::make_unique<Dialog>(owner, run.request.Code == cmd::WebFtp);
    else if constexpr (std::is_same_v<Dialog, TDoRecycle>)
        return std::make_unique<Dialog>(owner, h.IE4Installed);
    else if constexpr (std::is_same_v<Dialog, TDoNick>)
        return std::make_unique<Dialog>(owner, h.Glob, h.Settings);
    else if constexpr (std::is_same_v<Dialog, TDoDefPrint>)
        return std::make_unique<Dialog>(owner, h.Printers);
    else if constexpr (std::is_same_v<Dialog, TDoScreen>)
        return std::make_unique<Dialog>(owner, h.Display);
    else if constexpr (std::is_constructible_v<Dialog, QWidget*, PathChooser&>)
        return std::make_unique<Dialog>(owner, h.Paths);
    else if constexpr (std::is_constructible_v<Dialog, QWidget*, ProgramPicker&>)
        return std::make_unique<Dialog>(owner, h.Programs);
    else if constexpr (std::is_constructible_v<Dialog, QWidget*, MixerHost&>)
        return std::make_unique<Dialog>(owner, h.Mixer);
    else if constexpr (std::is_constructible_v<Dialog, QWidget*, NetworkConnectionList&>)
        return std::make_unique<Dialog>(owner, h.Connections);
    else
        return std::make_unique<Dialog>(owner);
}

// Runs a dialog. A new command asked to start where its dialog starts alone (the macro-text
// editor's entries) gets the dialog's own defaults on top of what its row preset.
template <class Dialog>
void Show(const FamilyRun& run, Dialog& dlg) {
    if constexpr (requires { dlg.NewCommand; })
        if (run.edited == nullptr && run.request.OwnDefaults) dlg.NewCommand = 1;
    run.runner.Run(dlg);
}

// The line of a dialog confirmed by its command text.
template <class Dialog>
std::optional<ScriptLine> Taken(const Dialog& dlg) {
    if (dlg.CommandText.empty()) return std::nullopt;
    return MakeLine(dlg.Result.code, dlg.Result.record);
}

template <class Dialog>
std::optional<ScriptLine> ShowAndTake(const FamilyRun& run, Dialog& dlg) {
    Show(run, dlg);
    return Taken(dlg);
}

// A family of forms: a new line starts from the family's defaults with its code's choice
// checked (no defaults: from the dialog's own), an edited one from its record's preset.
template <class Dialog, auto Defaults, auto Preset, const auto& Choices = kNoChoices>
std::optional<ScriptLine> Form(const FamilyRun& run) {
    const std::unique_ptr<Dialog> dlg = Make<Dialog>(run);
    const int code = run.request.Code;
    dlg->NewCommand = 0;
    if (run.edited != nullptr) {
        using Rec = typename PresetRecord<decltype(Preset)>::type;
        if constexpr (std::is_invocable_v<decltype(Preset), int, const Rec&>)
            dlg->Preset(Preset(code, RecordOf<Rec>(run.edited)));
        else
            dlg->Preset(Preset(RecordOf<Rec>(run.edited)));
    } else if constexpr (std::is_null_pointer_v<decltype(Defaults)>) {
        dlg->NewCommand = 1;
    } else if constexpr (std::is_invocable_v<decltype(Defaults), std::int32_t>) {
        dlg->Preset(Defaults(KindOfCode(Choices, code)));
    } else {
        auto form = Defaults();
        if constexpr (!Choices.empty()) form.Kind = KindOfCode(Choices, code);
        dlg->Preset(form);
    }
    return ShowAndTake(run, *dlg);
}

// A family of one choice: the code's for a new line, the record's for an edited one.
template <class Dialog, auto Field, const auto& Choices = kNoChoices>
std::optional<ScriptLine> Choice(const FamilyRun& run) {
    using Rec = typename MemberRecord<decltype(Field)>::type;
    const std::unique_ptr<Dialog> dlg = Make<Dialog>(run);
    dlg->NewCommand = 0;
    dlg->Preset(run.edited != nullptr ? RecordOf<Rec>(run.edited).*Field
                                      : KindOfCode(Choices, run.request.Code));
    return ShowAndTake(run, *dlg);
}

// A family of one text, the edited line's name (file, folder, printer, remark, address or
// enciphered text); a new line starts empty or, with `OwnStart`, where the dialog starts.
template <class Dialog, bool OwnStart = false>
std::optional<ScriptLine> Named(const FamilyRun& run) {
    const std::unique_ptr<Dialog> dlg = Make<Dialog>(run);
    dlg->NewCommand = run.edited == nullptr && OwnStart ? 1 : 0;
    if (run.edited != nullptr) dlg->Preset(RecordOf<TNameRec>(run.edited).Name);
    return ShowAndTake(run, *dlg);
}

// Confirmed by Update; the stored text comes back as it was unless it was edited.
std::optional<ScriptLine> TypedText(const FamilyRun& run) {
    TModText dlg(run.owner);
    if (run.request.TextFileLine) {
        dlg.SetTextLimit(kTextFileLineLimit);
        dlg.SetTextStyle(run.request.TextFileStyle);
    }
    if (run.edited != nullptr) dlg.PresetStored(RecordOf<TTextRec>(run.edited).Text);
    Show(run, dlg);
    if (dlg.Updated == 0) return std::nullopt;
    return MakeLine(cmd::Text, TTextRec{dlg.TextBuffer});
}

// Starts from the path the editor asks for, else the edited line's; may be left to edit the
// file as lines instead.
std::optional<ScriptLine> TextFile(const FamilyRun& run) {
    const CommandRequest& r = run.request;
    const std::string preset = r.TextFilePreset ? *r.TextFilePreset
                               : run.edited     ? RecordOf<TNameRec>(run.edited).Name
                                                : std::string();
    TDoTextInsert dlg(run.owner, r.AllowTextEdit, preset);
    dlg.MayEditInScript = r.MayEditTextFile;
    Show(run, dlg);
    if (dlg.EditInScript) run.editTextFile = dlg.ChosenPath;
    if (dlg.CommandText.empty()) return std::nullopt;
    return MakeLine(cmd::LoadTextFile, TNameRec{dlg.ChosenPath});
}

std::optional<ScriptLine> Network(const FamilyRun& run) {
    TDoNetConn dlg(run.owner, run.hosts.Connections);
    const int code = run.request.Code;
    dlg.NetMode = code == cmd::NetworkDisconnect ? 2 : code == cmd::NetworkToggle ? 3 : 1;
    dlg.NewCommand = run.edited == nullptr ? 1 : 0;
    if (run.edited != nullptr) dlg.Preset(NetConnPreset(dlg.NetMode, RecordOf<TNetRec>(run.edited)));
    return ShowAndTake(run, dlg);
}

// Confirmed by its own flag.
std::optional<ScriptLine> TextBox(const FamilyRun& run) {
    TDoTBox dlg(run.owner);
    dlg.NewCommand = run.edited == nullptr ? 1 : 0;
    if (run.edited != nullptr) {
        const TWTextRec box = RecordOf<TWTextRec>(run.edited);
        dlg.Preset(box.Title, box.Text);
    }
    Show(run, dlg);
    if (dlg.BoxConfirmed == 0) return std::nullopt;
    return MakeLine(dlg.Result.code, dlg.Result.record);
}

// The whole token is the line; confirmed by its own flag.
std::optional<ScriptLine> Email(const FamilyRun& run) {
    const CommandEditorHosts& h = run.hosts;
    TDoTheEmailCommand dlg(run.owner, h.Settings, h.Paths, h.Recipients);
    dlg.NewCommand = run.edited == nullptr ? 1 : 0;
    if (run.edited != nullptr) dlg.Preset(RecordOf<TEmailRec>(run.edited).Token);
    Show(run, dlg);
    if (dlg.Accepted == 0) return std::nullopt;
    return MakeLine(cmd::EmailSend,
                    TEmailRec{dlg.CommandText, dlg.RecipientMode, dlg.TextMode, dlg.AttachMode});
}

struct Family {
    std::array<std::uint8_t, 10> codes;  // 0 ends the list
    FamilyEditor edit;
};

// clang-format off
constexpr Family kFamilies[] = {
    {{1},                                         TypedText},
    {{2, 3},                                      Form<TDateOrTime, nullptr, DateTimePreset>},
    // Both delays start on "Delay in Seconds": a line is a timed delay once the user chose it.
    {{4, 117},                                    Form<TDoDelay2, Delay2Defaults, Delay2Preset>},
    {{5},                                         Form<TDoPausePos, PauseDefaults, PausePreset>},
    {{6, 7, 32, 45},                              Form<TDoRepeat, RepeatDefaults, RepeatPreset, kRepeatChoices>},
    {{8, 9, 50},                                  Form<TDoSpeed, SpeedDefaults, SpeedPreset, kSpeedChoices>},
    {{10, 11, 33, 34},                            Form<TDoActive, ActiveDefaults, ActivePreset, kActiveChoices>},
    {{12, 13},                                    Form<TDoSound, SoundDefaults, SoundPreset, kSoundChoices>},
    {{14},                                        Named<TDoSwap>},
    {{15},                                        TextFile},
    {{16, 17},                                    Form<TDoSizeIt, SizeItDefaults, SizeItPreset, kSizeChoices>},
    {{18, 19, 20, 21, 22, 23, 38},                Form<TDoSystemCommand, SystemCommandDefaults, SystemCommandPreset,
                                                       kSystemCommandChoices>},
    {{24, 25, 26, 27, 28},                        Form<TDoMouse, MouseDefaults, MousePreset, kMouseChoices>},
    {{29},                                        Named<TDoRemark>},
    {{30, 31, 35, 36, 37, 71, 84, 114, 115, 116}, Form<TDoClipboard, ClipboardDefaults, ClipboardPreset,
                                                       kClipboardChoices>},
    {{39, 40, 41, 42},                            Choice<TDoKeyUpDown, &TKeyRec::Kind, kKeyUpDownChoices>},
    {{43, 44},                                    Named<TDoWebStuff, true>},
    {{46, 47, 48, 49, 98},                        Form<TDoDOSFiles, FileDefaults, FilePreset, kFileChoices>},
    {{51, 95, 96, 97},                            Form<TDoNick, NickDefaults, NickPreset, kNickChoices>},
    {{52, 53, 83},                                Network},
    {{54},                                        TextBox},
    {{55},                                        Form<TDoAVI, AviDefaults, AviPreset>},
    {{56, 57, 58, 59, 60, 61, 62, 63, 64, 65},    Form<TDoCDRom, CDDefaults, CDPreset, kCDChoices>},
    {{66},                                        Named<TDoExplore>},
    {{67, 68, 69, 70, 106, 107, 108, 109},        Choice<TDoRecycle, &TDeskRec::Kind, kDeskChoices>},
    {{72},                                        Named<TDoDefPrint, true>},
    {{73},                                        Choice<TDoScreen, &TDisplayRec::ModeIndex>},
    {{74, 75, 76, 77},                            Choice<TDoReboot, &TDeskRec::Kind, kRebootChoices>},
    {{78, 79, 80, 81, 82},                        Form<TDoSysControls, SysDefaults, SysPreset, kSysChoices>},
    {{85, 86, 87, 88, 89, 90, 91, 92},            Choice<TDoVolume, &TVolumeRec::Kind, kVolumeChoices>},
    {{93, 99, 100, 101, 102, 103, 104, 105, 110, 111},
                                                  Form<TDoWaitWin, WaitDefaults, WaitPreset, kWaitChoices>},
    {{94},                                        Form<TDoDialup, DialDefaults, DialPreset>},
    {{112},                                       Email},
    {{113},                                       Named<TDoEncrypt>},
};
// clang-format on

}  // namespace

FamilyEditor FamilyEditorOf(int code) {
    for (const Family& family : kFamilies)
        if (code > 0 && std::find(family.codes.begin(), family.codes.end(), code) != family.codes.end())
            return family.edit;
    return nullptr;
}

}  // namespace tessaro
