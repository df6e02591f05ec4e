#pragma once
// Window commands: close, end the program of, hide, show, size, move, maximise, minimise
// or restore a window found by its title, and lay out the windows of the desktop. A title
// that finds no window does nothing; so does an empty one.
#include <string>
#include <vector>

#include "macro/macro_language.h"
#include "platform/desktop.h"
#include "platform/window_control.h"

namespace tessaro {

// "CURRENT" in double quotes is the foreground window; otherwise the window whose title
// equals `title`, else the first that contains it (upper-cased). With `hidden`, windows
// this player hid are searched too, after the visible ones.
win::HWND FindWindowByTitle(win::Desktop& desktop, win::WindowControl& control, const std::string& title,
                            bool hidden = false);

// Frames for `count` windows, the first for the window at the back. A cascade steps each
// frame down and right by a title bar's height from the area's corner and starts again at
// the corner when a frame would leave the area; tiles share the area as equal bands, one
// above the other (`stacked`) or side by side.
inline constexpr int kCascadeStep = 26;
std::vector<win::Bounds> CascadeLayout(const win::Bounds& area, int count);
std::vector<win::Bounds> TileLayout(const win::Bounds& area, int count, bool stacked);

// Runs one window token ("<WSHUT:" .. "<WPOS2:", "<WMAX:" .. "<WRES:") or desktop token
// ("<CASCDESK>", "<TILHDESK>", "<TILVDESK>", "<MINIDESK>", "<RESTDESK>"); false for any
// other kind.
bool RunWindowCommand(win::Desktop& desktop, win::WindowControl& control, const Token& token);

}  // namespace tessaro
