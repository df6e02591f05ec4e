#include "editor/script/script_line.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tessaro {
namespace {

template <typename T>
constexpr std::size_t IndexOf() {
    constexpr auto index = []<std::size_t... I>(std::index_sequence<I...>) {
        std::size_t found = 0;
        ((std::is_same_v<T, std::variant_alternative_t<I, LineRecord>> ? (found = I) : 0), ...);
        return found;
    }
    (std::make_index_sequence<std::variant_size_v<LineRecord>>{});
    return index;
}

struct Owner {
    std::size_t type;   // index into LineRecord
    std::int32_t kind;  // the leading kind a new record of the code gets
};

constexpr Owner Own(std::size_t type, std::int32_t kind = 0) { return {type, kind}; }

// Which record type each command owns and the kind it gets, indexed by code.
constexpr std::array<Owner, kCommandCount + 1> MakeOwners() {
    std::array<Owner, kCommandCount + 1> o{};
    using namespace cmd;
    o[None] = Own(IndexOf<TTextRec>());
    o[Text] = Own(IndexOf<TTextRec>());
    o[Date] = Own(IndexOf<TDateTimeRec>(), 1);
    o[Time] = Own(IndexOf<TDateTimeRec>(), 0);
    o[Delay] = Own(IndexOf<TDelayRec>(), 1);
    o[WaitTimeDelay] = Own(IndexOf<TDelayRec>(), 3);
    o[Pause] = Own(IndexOf<TPauseRec>(), 1);
    o[RepeatStart] = Own(IndexOf<TRepeatRec>(), 1);
    o[RepeatPromptStart] = Own(IndexOf<TRepeatRec>(), 2);
    o[RepeatEnd] = Own(IndexOf<TRepeatRec>(), 3);
    o[RepeatCounter] = Own(IndexOf<TRepeatRec>(), 4);
    o[KeystrokeSpeed] = Own(IndexOf<TSpeedRec>(), 1);
    o[MouseSpeed] = Own(IndexOf<TSpeedRec>(), 2);
    o[MacroPlaybackSpeed] = Own(IndexOf<TSpeedRec>(), 3);
    o[WindowActivate] = Own(IndexOf<TLaunchRec>(), 1);
    o[ProgramLaunch] = Own(IndexOf<TLaunchRec>(), 2);
    o[LaunchAndActivate] = Own(IndexOf<TLaunchRec>(), 3);
    o[ActivateOrLaunch] = Own(IndexOf<TLaunchRec>(), 4);
    o[SoundBeep] = Own(IndexOf<TSoundRec>(), 1);
    o[SoundWaveFile] = Own(IndexOf<TSoundRec>(), 2);
    for (int c : {LoadNewMacroFile, LoadTextFile, Remark, WebSite, WebFtp, OpenFolderInExplorer,
                  DefaultPrinter, EncryptedText})
        o[c] = Own(IndexOf<TNameRec>());
    o[WindowResize] = Own(IndexOf<TSizeRec>(), 1);
    o[WindowReposition] = Own(IndexOf<TSizeRec>(), 2);
    for (int c = WindowMaximize; c <= WindowShow; ++c)
        o[c] = Own(IndexOf<TWindowRec>(), c - WindowMaximize + 1);
    o[ProgramShutDown] = Own(IndexOf<TWindowRec>(), 7);
    o[MouseMove] = Own(IndexOf<TMouseRec>(), 1);
    o[MouseLeftButton] = Own(IndexOf<TMouseRec>(), 2);
    o[MouseRightButton] = Own(IndexOf<TMouseRec>(), 6);
    o[MouseMiddleButton] = Own(IndexOf<TMouseRec>(), 10);
    o[MouseWheel] = Own(IndexOf<TMouseRec>(), 14);
    o[ClipboardStartCopy] = Own(IndexOf<TClipRec>(), 1);
    o[ClipboardEndCopy] = Own(IndexOf<TClipRec>(), 2);
    o[ClipboardFileCopy] = Own(IndexOf<TClipRec>(), 3);
    o[ClipboardCopy] = Own(IndexOf<TClipRec>(), 4);
    o[ClipboardPaste] = Own(IndexOf<TClipRec>(), 5);
    o[ClipboardGraphicCopy] = Own(IndexOf<TClipRec>(), 6);
    o[ClipboardTypeText] = Own(IndexOf<TClipRec>(), 7);
    o[ClipboardSaveText] = Own(IndexOf<TClipRec>(), 9);
    o[ClipboardAppendText] = Own(IndexOf<TClipRec>(), 10);
    o[ClipboardSaveGraphic] = Own(IndexOf<TClipRec>(), 11);
    for (int c = ControlKey; c <= WinKey; ++c) o[c] = Own(IndexOf<TKeyRec>(), 2 * (c - ControlKey) + 1);
    o[ChangeFolder] = Own(IndexOf<TFileOpRec>(), 1);
    o[CopyFile] = Own(IndexOf<TFileOpRec>(), 2);
    o[RenameFile] = Own(IndexOf<TFileOpRec>(), 3);
    o[DeleteFile] = Own(IndexOf<TFileOpRec>(), 4);
    o[CreateFolder] = Own(IndexOf<TFileOpRec>(), 5);
    o[MacroRun] = Own(IndexOf<TMacroRefRec>(), 1);
    o[MacroDelete] = Own(IndexOf<TMacroRefRec>(), 2);
    o[MacroActivate] = Own(IndexOf<TMacroRefRec>(), 3);
    o[MacroDeactivate] = Own(IndexOf<TMacroRefRec>(), 4);
    for (int c : {NetworkConnect, NetworkDisconnect, NetworkToggle}) o[c] = Own(IndexOf<TNetRec>());
    o[WindowOfText] = Own(IndexOf<TWTextRec>());
    o[VideoClipPlay] = Own(IndexOf<TVideoRec>(), 3);
    for (int c = CdPlay; c <= CdCloseTray; ++c) o[c] = Own(IndexOf<TCDRec>(), c - CdPlay + 1);
    o[DesktopCascade] = Own(IndexOf<TDeskRec>(), 1);
    o[DesktopTile] = Own(IndexOf<TDeskRec>(), 3);
    o[DesktopMinimizeAll] = Own(IndexOf<TDeskRec>(), 4);
    o[DesktopRestoreAll] = Own(IndexOf<TDeskRec>(), 5);
    o[SuspendComputer] = Own(IndexOf<TDeskRec>(), 6);
    o[UndockComputer] = Own(IndexOf<TDeskRec>(), 7);
    o[RunDialogWindow] = Own(IndexOf<TDeskRec>(), 8);
    o[OpenExplorerTo] = Own(IndexOf<TDeskRec>(), 12);
    for (int c = Logoff; c <= PowerOff; ++c) o[c] = Own(IndexOf<TDeskRec>(), c - Logoff + 1);
    o[DefaultDisplaySize] = Own(IndexOf<TDisplayRec>());
    o[ScreenSaver] = Own(IndexOf<TSysRec>(), 1);
    o[KeyboardDelay] = Own(IndexOf<TSysRec>(), 4);
    o[KeyboardRepeatSpeed] = Own(IndexOf<TSysRec>(), 5);
    o[Wallpaper] = Own(IndexOf<TSysRec>(), 6);
    o[WindowsSizingBorder] = Own(IndexOf<TSysRec>(), 7);
    o[AudioVolume] = Own(IndexOf<TVolumeRec>(), 1);
    o[AudioMuteToggle] = Own(IndexOf<TVolumeRec>(), 5);
    o[AudioBalance] = Own(IndexOf<TVolumeRec>(), 8);
    o[AudioTreble] = Own(IndexOf<TVolumeRec>(), 9);
    o[MidiVolume] = Own(IndexOf<TVolumeRec>(), 11);
    o[MidiMuteToggle] = Own(IndexOf<TVolumeRec>(), 15);
    o[MidiBalance] = Own(IndexOf<TVolumeRec>(), 18);
    o[AudioBass] = Own(IndexOf<TVolumeRec>(), 19);
    o[WaitForWindowTitle] = Own(IndexOf<TWaitRec>(), 1);
    o[WaitWindowLoseFocus] = Own(IndexOf<TWaitRec>(), 2);
    o[WaitProgramTerminate] = Own(IndexOf<TWaitRec>(), 3);
    o[WaitForKeyPress] = Own(IndexOf<TWaitRec>(), 4);
    o[WaitForText] = Own(IndexOf<TWaitRec>(), 5);
    o[WaitLeftMouseClick] = Own(IndexOf<TWaitRec>(), 6);
    o[WaitRightMouseClick] = Own(IndexOf<TWaitRec>(), 7);
    o[WaitMiddleMouseClick] = Own(IndexOf<TWaitRec>(), 8);
    o[WaitTextPlayback] = Own(IndexOf<TWaitRec>(), 9);
    o[WaitTimeElapse] = Own(IndexOf<TWaitRec>(), 10);
    o[DialUpNetworking] = Own(IndexOf<TDialRec>(), 1);
    o[EmailSend] = Own(IndexOf<TEmailRec>());
    return o;
}

constexpr auto kOwners = MakeOwners();

constexpr bool EveryCommandOwned() {
    // Only codes 0 and 1 may own TTextRec; any other code left at it was forgotten.
    for (int c = 2; c <= kCommandCount; ++c)
        if (kOwners[static_cast<std::size_t>(c)].type == IndexOf<TTextRec>()) return false;
    return true;
}
static_assert(EveryCommandOwned(), "every command owns a record type");

template <std::size_t... I>
constexpr auto MakeFactories(std::index_sequence<I...>) {
    return std::array<LineRecord (*)(), sizeof...(I)>{
        +[]() { return LineRecord(std::in_place_index<I>); }...};
}
constexpr auto kFactories = MakeFactories(std::make_index_sequence<std::variant_size_v<LineRecord>>{});

template <typename R>
void SetKind(R& r, std::int32_t kind) {
    if constexpr (requires { r.Kind; }) r.Kind = kind;
}
void SetKind(TDateTimeRec& r, std::int32_t kind) { r.IsDate = kind != 0; }
void SetKind(TDelayRec& r, std::int32_t kind) { r.Unit = kind; }
void SetKind(TMouseRec& r, std::int32_t kind) { r.Action = kind; }

bool StartsWithKeyName(std::string_view t, std::string_view suffix) {
    for (int c = cmd::ControlKey; c <= cmd::WinKey; ++c) {
        const std::string_view name = CommandName(c);
        if (t.starts_with(name) && t.substr(name.size()).starts_with(suffix)) return true;
    }
    return false;
}

}  // namespace

LineRecord NewRecord(int code) {
    if (code < 1 || code > kCommandCount) code = 0;
    const Owner& owner = kOwners[static_cast<std::size_t>(code)];
    LineRecord rec = kFactories[owner.type]();
    std::visit([&](auto& r) { SetKind(r, owner.kind); }, rec);
    return rec;
}

bool RecordFitsCommand(int code, const LineRecord& rec) {
    if (code < 1 || code > kCommandCount) return false;
    return rec.index() == kOwners[static_cast<std::size_t>(code)].type;
}

void SetIndents(std::vector<ScriptLine>& lines) {
    constexpr int kStep = 3;
    int level = 0;
    for (ScriptLine& line : lines) {
        std::string& text = line.Text;
        // The text without its indentation, at most 255 characters: indenting it again
        // never cuts its end.
        const std::size_t first = std::min(text.find_first_not_of(' '), text.size());
        std::string_view t = std::string_view(text).substr(first, 255);
        t = t.substr(0, t.find_last_not_of(' ') + 1);
        // Every name that opens or closes a block begins with one of these letters; a long
        // file's other lines are passed over at one comparison each.
        const bool edge = !t.empty() && std::string_view("ACRSW").find(t.front()) != std::string_view::npos;
        if (edge) {
            if (t.starts_with(CommandName(cmd::RepeatEnd))) level -= kStep;
            if (t.starts_with(CommandName(cmd::ClipboardEndCopy))) level -= kStep;
            if (StartsWithKeyName(t, " Up")) level -= kStep;
            if (level < 0) level = 0;
        }
        const bool opens =
            edge && (t.starts_with(CommandName(cmd::ClipboardStartCopy)) ||
                     t.starts_with(CommandName(cmd::RepeatStart)) ||
                     t.starts_with(CommandName(cmd::RepeatPromptStart)) || StartsWithKeyName(t, " Down"));
        // Deep blocks are still counted, but shown no further right than the cap.
        const auto indent = static_cast<std::size_t>(std::min(level, kMaxIndent));
        if (first != indent || text.size() != indent + t.size()) {
            // In place: the text's own storage is kept wherever it has room.
            text.resize(first + t.size());
            text.replace(0, first, indent, ' ');
        }
        if (opens) level += kStep;
    }
}

}  // namespace tessaro
