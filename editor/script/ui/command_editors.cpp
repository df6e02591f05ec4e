#include "editor/script/ui/command_editors.h"

#include <QDialog>
#include <algorithm>
#include <array>
#include <span>

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
#include "editor/commands/form_parts.h"
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
#include "editor/script/display_text.h"
#include "editor/script/ui/do_text_insert.h"
#include "foundation/ras.h"
#include "platform/message_box.h"

namespace tessaro {

void ModalDialogRunner::Run(QDialog& dialog) { dialog.exec(); }

namespace {

constexpr const char* kNeedsDesktopShell =
    "This function requires Windows 98 or NT.  Daza requires Windows 95 that has Internet Explore "
    "4.0 or greater installed. It appears that your system does not meet these requirements.";

// The kind of the radio button that makes `code`'s line; 0 when none does.
std::int32_t KindOfCode(std::span<const RadioChoice> table, int code) {
    for (const RadioChoice& c : table)
        if (c.code == code) return c.kind;
    return 0;
}

// Runs a dialog. A new command asked to start where its dialog starts alone (the macro-text
// editor's entries) gets the dialog's own defaults on top of what its code preset.
template <class Dialog>
void Open(CommandDialogRunner& runner, Dialog& dlg, bool ownDefaults) {
    if constexpr (requires { dlg.NewCommand; })
        if (ownDefaults) dlg.NewCommand = 1;
    runner.Run(dlg);
}

template <class Rec>
Rec RecordOf(const LineRecord* rec) {
    if (rec != nullptr)
        if (const Rec* r = std::get_if<Rec>(rec)) return *r;
    return Rec{};
}

// A confirmed CommandDialog's line (CommandText set by its OK).
template <class Dialog>
std::optional<ScriptLine> Taken(const Dialog& dlg) {
    if (dlg.CommandText.empty()) return std::nullopt;
    return MakeLine(dlg.Result.code, dlg.Result.record);
}

// New: the family's defaults with the code's choice; edit: the family's preset.
template <class Dialog, class Form, class Rec, std::size_t N>
void PresetForm(Dialog& dlg, int code, const LineRecord* rec, Form defaults, Form (*preset)(const Rec&),
                const std::array<RadioChoice, N>& table) {
    dlg.NewCommand = 0;
    if (rec == nullptr) {
        defaults.Kind = KindOfCode(table, code);
        dlg.Preset(defaults);
    } else {
        dlg.Preset(preset(RecordOf<Rec>(rec)));
    }
}

std::int32_t NetModeOf(int code) {
    return code == cmd::NetworkDisconnect ? 2 : code == cmd::NetworkToggle ? 3 : 1;
}

bool InList(std::initializer_list<int> codes, int code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

}  // namespace

bool AddsWithoutDialog(int code) { return InList({7, 30, 31, 35, 36, 45, 71}, code); }

CommandEditors::CommandEditors(CommandEditorHosts hosts, CommandDialogRunner& runner)
    : hosts_(hosts), runner_(runner) {}

CommandOutcome CommandEditors::EditCommand(QWidget* owner, ScriptList& list, const CommandRequest& request) {
    const int code = request.Code;
    CommandOutcome outcome;
    if (request.IsNew && AddsWithoutDialog(code)) {
        LineRecord rec;
        if (code == 7 || code == 45) {
            rec = TRepeatRec{code == 7 ? 3 : 2, 0, 1, 1};
        } else {
            const std::int32_t kind = code == 30 ? 4 : code == 31 ? 5 : code == 35 ? 1 : code == 36 ? 2 : 7;
            rec = TClipRec{kind, "", false};
        }
        InsertNewLine(list, request.Style, request.InsertIndex, MakeLine(code, std::move(rec)));
        outcome.Changed = true;
        return outcome;
    }
    if (code == cmd::DialUpNetworking && !hosts_.RasAvailable) {
        RasMissingWarning(owner);
        return outcome;
    }
    if (!hosts_.IE4Installed && InList({69, 70, 106, 107, 108, 109}, code)) {
        win::MessageBox(kNeedsDesktopShell, "Warning");
        return outcome;
    }
    const LineRecord* old = nullptr;
    if (!request.IsNew) {
        if (request.InsertIndex < 0 || request.InsertIndex >= static_cast<int>(list.Lines.size()))
            return outcome;
        old = &list.Lines[static_cast<std::size_t>(request.InsertIndex)].Record;
    }
    std::optional<ScriptLine> line = RunFamily(owner, request, old, outcome.EditTextFile);
    LineAdded = line ? 1 : 0;
    if (!line) return outcome;
    if (request.IsNew)
        InsertNewLine(list, request.Style, request.InsertIndex, std::move(*line));
    else
        ReplaceLine(list, request.InsertIndex, std::move(*line));
    outcome.Changed = true;
    return outcome;
}

std::optional<ScriptLine> CommandEditors::NewLine(QWidget* owner, const CommandRequest& request) {
    std::string editTextFile;
    return RunFamily(owner, request, nullptr, editTextFile);
}

std::optional<ScriptLine> CommandEditors::RunFamily(QWidget* owner, const CommandRequest& request,
                                                    const LineRecord* rec, std::string& editTextFile) {
    const int code = request.Code;
    const bool isNew = rec == nullptr;
    const bool ownDefaults = isNew && request.OwnDefaults;
    auto run = [&](auto& dlg) { Open(runner_, dlg, ownDefaults); };
    switch (code) {
        case 1: {
            TModText dlg(owner);
            dlg.PresetText(isNew ? std::string() : TypedTextPreset(RecordOf<TTextRec>(rec)));
            run(dlg);
            if (dlg.Updated == 0) return std::nullopt;
            return MakeLine(1, TTextRec{dlg.TextBuffer});
        }
        case 2:
        case 3: {
            TDateOrTime dlg(owner, code == 3, hosts_.Settings);
            // A new line starts from the last format used; an edit from its own record.
            dlg.NewCommand = isNew ? 1 : 0;
            if (!isNew) dlg.Preset(DateTimePreset(RecordOf<TDateTimeRec>(rec)));
            run(dlg);
            return Taken(dlg);
        }
        case 4:
        case 117: {
            TDoDelay2 dlg(owner);
            dlg.NewCommand = 0;
            dlg.Preset(isNew ? Delay2Defaults() : Delay2Preset(RecordOf<TDelayRec>(rec)));
            run(dlg);
            return Taken(dlg);
        }
        case 5: {
            TDoPausePos dlg(owner);
            dlg.NewCommand = 0;
            dlg.Preset(isNew ? PauseDefaults() : PausePreset(RecordOf<TPauseRec>(rec)));
            run(dlg);
            return Taken(dlg);
        }
        case 6:
        case 7:
        case 32:
        case 45: {
            TDoRepeat dlg(owner);
            dlg.NewCommand = 0;
            if (isNew) {
                RepeatForm form = RepeatDefaults();
                form.Kind = KindOfCode(kRepeatChoices, code);
                dlg.Preset(form);
            } else {
                dlg.Preset(RepeatPreset(code, RecordOf<TRepeatRec>(rec)));
            }
            run(dlg);
            return Taken(dlg);
        }
        case 8:
        case 9:
        case 50: {
            TDoSpeed dlg(owner);
            PresetForm(dlg, code, rec, SpeedDefaults(), &SpeedPreset, kSpeedChoices);
            run(dlg);
            return Taken(dlg);
        }
        case 10:
        case 11:
        case 33:
        case 34: {
            TDoActive dlg(owner);
            PresetForm(dlg, code, rec, ActiveDefaults(), &ActivePreset, kActiveChoices);
            run(dlg);
            return Taken(dlg);
        }
        case 12:
        case 13: {
            TDoSound dlg(owner);
            PresetForm(dlg, code, rec, SoundDefaults(), &SoundPreset, kSoundChoices);
            run(dlg);
            return Taken(dlg);
        }
        case 14: {
            TDoSwap dlg(owner);
            dlg.NewCommand = 0;
            if (!isNew) dlg.Preset(RecordOf<TNameRec>(rec).Name);
            run(dlg);
            return Taken(dlg);
        }
        case 15: {
            const std::string preset = request.TextFilePreset ? *request.TextFilePreset
                                       : isNew                ? std::string()
                                                              : RecordOf<TNameRec>(rec).Name;
            TDoTextInsert dlg(owner, request.AllowTextEdit, preset);
            run(dlg);
            if (dlg.EditInScript) editTextFile = dlg.ChosenPath;
            if (dlg.CommandText.empty()) return std::nullopt;
            return MakeLine(15, TNameRec{dlg.ChosenPath});
        }
        case 16:
        case 17: {
            TDoSizeIt dlg(owner);
            PresetForm(dlg, code, rec, SizeItDefaults(), &SizeItPreset, kSizeChoices);
            run(dlg);
            return Taken(dlg);
        }
        case 18:
        case 19:
        case 20:
        case 21:
        case 22:
        case 23:
        case 38: {
            TDoSystemCommand dlg(owner);
            PresetForm(dlg, code, rec, SystemCommandDefaults(), &SystemCommandPreset, kSystemCommandChoices);
            run(dlg);
            return Taken(dlg);
        }
        case 24:
        case 25:
        case 26:
        case 27:
        case 28: {
            TDoMouse dlg(owner);
            PresetForm(dlg, code, rec, MouseDefaults(), &MousePreset, kMouseChoices);
            run(dlg);
            return Taken(dlg);
        }
        case 29: {
            TDoRemark dlg(owner);
            if (!isNew) dlg.Preset(RecordOf<TNameRec>(rec).Name);
            run(dlg);
            return Taken(dlg);
        }
        case 30:
        case 31:
        case 35:
        case 36:
        case 37:
        case 71:
        case 84:
        case 114:
        case 115:
        case 116: {
            TDoClipboard dlg(owner);
            PresetForm(dlg, code, rec, ClipboardDefaults(), &ClipboardPreset, kClipboardChoices);
            run(dlg);
            return Taken(dlg);
        }
        case 39:
        case 40:
        case 41:
        case 42: {
            TDoKeyUpDown dlg(owner);
            dlg.NewCommand = 0;
            dlg.Preset(isNew ? KindOfCode(kKeyUpDownChoices, code) : RecordOf<TKeyRec>(rec).Kind);
            run(dlg);
            return Taken(dlg);
        }
        case 43:
        case 44: {
            TDoWebStuff dlg(owner, code == 44);
            dlg.NewCommand = isNew ? 1 : 0;
            if (!isNew) dlg.Preset(RecordOf<TNameRec>(rec).Name);
            run(dlg);
            return Taken(dlg);
        }
        case 46:
        case 47:
        case 48:
        case 49:
        case 98: {
            TDoDOSFiles dlg(owner, hosts_.Paths);
            PresetForm(dlg, code, rec, FileDefaults(), &FilePreset, kFileChoices);
            run(dlg);
            return Taken(dlg);
        }
        case 51:
        case 95:
        case 96:
        case 97: {
            TDoNick dlg(owner, hosts_.Glob, hosts_.Settings);
            PresetForm(dlg, code, rec, NickDefaults(), &NickPreset, kNickChoices);
            run(dlg);
            return Taken(dlg);
        }
        case 52:
        case 53:
        case 83: {
            TDoNetConn dlg(owner, hosts_.Connections);
            dlg.NetMode = NetModeOf(code);
            dlg.NewCommand = isNew ? 1 : 0;
            if (!isNew) dlg.Preset(NetConnPreset(dlg.NetMode, RecordOf<TNetRec>(rec)));
            run(dlg);
            return Taken(dlg);
        }
        case 54: {
            TDoTBox dlg(owner);
            dlg.NewCommand = isNew ? 1 : 0;
            if (!isNew) {
                const TWTextRec box = RecordOf<TWTextRec>(rec);
                dlg.Preset(box.Title, box.Text);
            }
            run(dlg);
            if (dlg.BoxConfirmed == 0) return std::nullopt;
            return MakeLine(dlg.Result.code, dlg.Result.record);
        }
        case 55: {
            TDoAVI dlg(owner, hosts_.Paths);
            dlg.NewCommand = 0;
            dlg.Preset(isNew ? AviDefaults() : AviPreset(RecordOf<TVideoRec>(rec)));
            run(dlg);
            return Taken(dlg);
        }
        case 56:
        case 57:
        case 58:
        case 59:
        case 60:
        case 61:
        case 62:
        case 63:
        case 64:
        case 65: {
            TDoCDRom dlg(owner);
            PresetForm(dlg, code, rec, CDDefaults(), &CDPreset, kCDChoices);
            run(dlg);
            return Taken(dlg);
        }
        case 66: {
            TDoExplore dlg(owner, hosts_.Paths);
            dlg.NewCommand = 0;
            if (!isNew) dlg.ProgPath->setText(parts::Q(RecordOf<TNameRec>(rec).Name));
            run(dlg);
            return Taken(dlg);
        }
        case 67:
        case 68:
        case 69:
        case 70:
        case 106:
        case 107:
        case 108:
        case 109: {
            TDoRecycle dlg(owner, hosts_.IE4Installed);
            dlg.NewCommand = 0;
            dlg.Preset(isNew ? KindOfCode(kDeskChoices, code) : RecordOf<TDeskRec>(rec).Kind);
            run(dlg);
            return Taken(dlg);
        }
        case 72: {
            TDoDefPrint dlg(owner);
            dlg.NewCommand = isNew ? 1 : 0;
            if (!isNew) dlg.PrinterName = RecordOf<TNameRec>(rec).Name;
            run(dlg);
            return Taken(dlg);
        }
        case 73: {
            TDoScreen dlg(owner);
            dlg.NewCommand = 0;
            if (!isNew) dlg.ModeIndex = RecordOf<TDisplayRec>(rec).ModeIndex;
            run(dlg);
            return Taken(dlg);
        }
        case 74:
        case 75:
        case 76:
        case 77: {
            TDoReboot dlg(owner);
            dlg.NewCommand = 0;
            dlg.Preset(isNew ? KindOfCode(kRebootChoices, code) : RecordOf<TDeskRec>(rec).Kind);
            run(dlg);
            return Taken(dlg);
        }
        case 78:
        case 79:
        case 80:
        case 81:
        case 82: {
            TDoSysControls dlg(owner, hosts_.Paths);
            PresetForm(dlg, code, rec, SysDefaults(), &SysPreset, kSysChoices);
            run(dlg);
            return Taken(dlg);
        }
        case 85:
        case 86:
        case 87:
        case 88:
        case 89:
        case 90:
        case 91:
        case 92: {
            TDoVolume dlg(owner, hosts_.Mixer);
            dlg.NewCommand = 0;
            dlg.Preset(isNew ? KindOfCode(kVolumeChoices, code) : RecordOf<TVolumeRec>(rec).Kind);
            run(dlg);
            return Taken(dlg);
        }
        case 93:
        case 99:
        case 100:
        case 101:
        case 102:
        case 103:
        case 104:
        case 105:
        case 110:
        case 111: {
            TDoWaitWin dlg(owner, hosts_.Programs);
            dlg.NewCommand = 0;
            dlg.Preset(isNew ? WaitDefaults(KindOfCode(kWaitChoices, code))
                             : WaitPreset(RecordOf<TWaitRec>(rec)));
            run(dlg);
            return Taken(dlg);
        }
        case 94: {
            TDoDialup dlg(owner);
            dlg.NewCommand = 0;
            dlg.Preset(isNew ? DialDefaults() : DialPreset(RecordOf<TDialRec>(rec)));
            run(dlg);
            return Taken(dlg);
        }
        case 112: {
            TDoTheEmailCommand dlg(owner, hosts_.Settings, hosts_.Paths, hosts_.Recipients);
            dlg.NewCommand = isNew ? 1 : 0;
            if (!isNew) dlg.Preset(RecordOf<TEmailRec>(rec).Token);
            run(dlg);
            if (dlg.Accepted == 0) return std::nullopt;
            return MakeLine(112, TEmailRec{dlg.CommandText, dlg.RecipientMode, dlg.TextMode, dlg.AttachMode});
        }
        case 113: {
            TDoEncrypt dlg(owner);
            dlg.NewCommand = 0;
            if (!isNew) dlg.Preset(RecordOf<TNameRec>(rec));
            run(dlg);
            return Taken(dlg);
        }
        default: return std::nullopt;
    }
}

}  // namespace tessaro
