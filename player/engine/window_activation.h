#pragma once
// Finding and activating the window or program a macro is meant for, and which program
// owns a window. Names and titles are compared upper-cased as "contains" tests.
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop.h"
#include "protocol/scope_text.h"

namespace tessaro {

struct TGlobData;

// The top-level window whose title equals `title`, else the first whose title contains it
// (upper-cased); 0 when none or when `title` is empty.
win::HWND GetWinHandle(win::Desktop& desktop, const std::string& title);

// Restores the window when it is minimised and makes it the active one.
bool BringToFront(win::Desktop& desktop, win::HWND window);

// GetWinHandle, then the window to the front; the window, or 0 when none was found.
win::HWND ActivateIt(win::Desktop& desktop, const std::string& title);

// The first process whose program name (upper-cased) contains `name`, then its first
// top-level window with a title to the front; the window, or 0.
win::HWND ActivateProg(win::Desktop& desktop, const std::string& name);

// The program name of the process that owns the window, in its own case; empty when
// unknown.
std::string ModuleNameOfWindow(win::Desktop& desktop, win::HWND window);
// The program name of the foreground window's process, in its own case.
std::string GetTopProgram(win::Desktop& desktop);

// The player's own program name, upper-cased, as a window's module compares with it.
inline constexpr std::string_view kPlayerModuleName = "TESRUN";
// The editor's.
inline constexpr std::string_view kEditorModuleName = "TESDESK";
// Whether an upper-cased module name is the player's or the editor's: their windows never
// start a window-title macro.
inline bool IsOwnModule(std::string_view module) {
    return module == kPlayerModuleName || module == kEditorModuleName;
}

// The running programs, each once, upper-cased and cut to 25 characters, at most 200.
std::vector<std::string> RunningPrograms(win::Desktop& desktop);
void StoreRunningPrograms(TGlobData& glob, const std::vector<std::string>& programs);

// Whether `name` (upper-cased) occurs in one of the trigger table's running programs.
bool ProgramListed(const TGlobData& glob, const std::string& name);

}  // namespace tessaro
