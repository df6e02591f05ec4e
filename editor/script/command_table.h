#pragma once
// The editor's 117 commands: codes, names, and recognising a script line by its text.
#include <string_view>

namespace tessaro {

inline constexpr int kCommandCount = 117;

namespace cmd {
// Command codes in table order.
enum Code : int {
    None = 0,
    Text = 1, Date, Time, Delay, Pause, RepeatStart, RepeatEnd, KeystrokeSpeed, MouseSpeed,
    WindowActivate, ProgramLaunch, SoundBeep, SoundWaveFile, LoadNewMacroFile, LoadTextFile,
    WindowResize, WindowReposition, WindowMaximize, WindowMinimize, WindowRestore,
    WindowClose, WindowHide, WindowShow, MouseMove, MouseLeftButton, MouseRightButton,
    MouseMiddleButton, MouseWheel, Remark, ClipboardCopy, ClipboardPaste, RepeatCounter,
    ActivateOrLaunch, LaunchAndActivate, ClipboardStartCopy, ClipboardEndCopy,
    ClipboardFileCopy, ProgramShutDown, ControlKey, AltKey, ShiftKey, WinKey, WebSite,
    WebFtp, RepeatPromptStart, ChangeFolder, DeleteFile, CopyFile, RenameFile,
    MacroPlaybackSpeed, MacroRun, NetworkConnect, NetworkDisconnect, WindowOfText,
    VideoClipPlay, CdPlay, CdStop, CdPause, CdNextTrack, CdPreviousTrack, CdGoToTrack,
    CdStep, CdBack, CdEject, CdCloseTray, OpenFolderInExplorer, DesktopCascade, DesktopTile,
    DesktopMinimizeAll, DesktopRestoreAll, ClipboardTypeText, DefaultPrinter,
    DefaultDisplaySize, Logoff, Reboot, ShutDown, PowerOff, ScreenSaver,
    KeyboardRepeatSpeed, KeyboardDelay, Wallpaper, WindowsSizingBorder, NetworkToggle,
    ClipboardGraphicCopy, AudioVolume, AudioBalance, AudioMuteToggle, AudioTreble, AudioBass,
    MidiVolume, MidiBalance, MidiMuteToggle, WaitForWindowTitle, DialUpNetworking,
    MacroDelete, MacroActivate, MacroDeactivate, CreateFolder, WaitWindowLoseFocus,
    WaitProgramTerminate, WaitForKeyPress, WaitForText, WaitLeftMouseClick,
    WaitRightMouseClick, WaitMiddleMouseClick, OpenExplorerTo, RunDialogWindow,
    UndockComputer, SuspendComputer, WaitTextPlayback, WaitTimeElapse, EmailSend,
    EncryptedText, ClipboardSaveText, ClipboardAppendText, ClipboardSaveGraphic,
    WaitTimeDelay,
};
static_assert(WaitTimeDelay == kCommandCount);
}  // namespace cmd

// The name of a command code 1..117 as the "Commands" list shows it; empty otherwise.
std::string_view CommandName(int code);

// The command of a script line: the text is cut to 255 characters and trimmed of spaces,
// then the first code (in code order) whose whole name begins it wins. 0 when none does.
int RecogniseCommand(std::string_view displayText);

}  // namespace tessaro
