#include "editor/explorer/forms/command_dialogs_run.h"

#include <string_view>

#include "editor/commands/text_dialogs.h"
#include "editor/script/command_table.h"
#include "editor/script/script_writer.h"
#include "editor/script/ui/command_editors.h"
#include "platform/message_box.h"

namespace tessaro {

namespace {

struct EntryCode {
    std::string_view button;
    int code;
};

// Which family's dialog a button opens; it starts from that dialog's own defaults.
constexpr EntryCode kEntryCodes[] = {
    {"ACTIVATE", cmd::WindowActivate},
    {"AVI", cmd::VideoClipPlay},
    {"AUDIO CD", cmd::CdPlay},
    {"CLIPBOARD", cmd::ClipboardCopy},
    {"DATE", cmd::Date},
    {"TIME", cmd::Time},
    {"DELAY", cmd::Delay},
    {"DESKTOP", cmd::DesktopCascade},
    {"DIAL-UP", cmd::DialUpNetworking},
    {"ENCRYPT", cmd::EncryptedText},
    {"EXPLORER", cmd::OpenFolderInExplorer},
    {"FILES", cmd::ChangeFolder},
    {"FTP", cmd::WebFtp},
    {"WEB SITE", cmd::WebSite},
    {"KEY UP/ DN", cmd::ControlKey},
    {"LOAD TEXT", cmd::LoadTextFile},
    {"MACROS", cmd::MacroRun},
    {"MOUSE", cmd::MouseMove},
    {"NETWORK", cmd::NetworkConnect},
    {"PAUSE", cmd::Pause},
    {"PRINTER", cmd::DefaultPrinter},
    {"REBOOT", cmd::Reboot},
    {"REMARK", cmd::Remark},
    {"REPEAT", cmd::RepeatStart},
    {"SCREEN", cmd::DefaultDisplaySize},
    {"SIZE / POS", cmd::WindowResize},
    {"SOUND", cmd::SoundBeep},
    {"SPEED", cmd::KeystrokeSpeed},
    {"SWAP FILE", cmd::LoadNewMacroFile},
    {"SYS CTRLS", cmd::ScreenSaver},
    {"VOLUME", cmd::AudioVolume},
    {"WAIT", cmd::WaitForWindowTitle},
    {"WIN CTRLS", cmd::WindowMaximize},
    {"TEXT BOX", cmd::WindowOfText},
    {"E-MAIL", cmd::EmailSend},
};

}  // namespace

int CommandCodeOf(const CommandEntry& entry) {
    for (const EntryCode& e : kEntryCodes)
        if (e.button == entry.button) return e.code;
    return 0;
}

CommandDialogsRun::CommandDialogsRun(CommandEditors& editors, CommandDialogRunner& runner)
    : editors_(editors), runner_(runner) {}

CommandDialogs::Result CommandDialogsRun::Run(const CommandEntry& entry, QWidget* owner) {
    Result result;
    if (entry.preset == CommandPreset::SymbolsFlag) {
        TDoSpecial dlg(owner);
        dlg.HideAltPad = 0;
        runner_.Run(dlg);
        result.text = dlg.CommandText;
        return result;
    }
    const int code = CommandCodeOf(entry);
    if (code == 0) return result;
    CommandRequest request(code, true, AddStyle::AtEnd, 0);
    // A text file opened from the macro text is inserted as its command, never edited as lines.
    request.AllowTextEdit = false;
    request.OwnDefaults = true;
    const std::optional<ScriptLine> line = editors_.NewLine(owner, request);
    if (!line) return result;
    if (const auto* box = std::get_if<TWTextRec>(&line->Record)) {
        result.title = box->Title;
        result.text = box->Text;
        return result;
    }
    const ScriptTextResult text = CommandText(LineCommand(*line), line->Record);
    if (text.ok)
        result.text = text.text;
    else
        win::MessageBox(text.error, "Error");
    return result;
}

}  // namespace tessaro
