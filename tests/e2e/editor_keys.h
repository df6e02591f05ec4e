#pragma once
// The editor on a test's X server driven by keys, each pressed once what takes it is up:
// a menu opened by its Alt key, a box with the focus.
#include <X11/Xlib.h>

#include <chrono>
#include <string>

#include "editor_desk.h"
#include "player_process.h"
#include "tray_host.h"

namespace tessaro::testing {

// Activates the editor's window, opens the menu of Alt+`menu` and picks its `item`.
inline bool PickFromMenu(Display* d, Window editor, KeySym menu, KeySym item) {
    Activate(d, editor);
    if (!WaitFor([&] { return FocusWithin(d, editor); }, std::chrono::seconds(5))) return false;
    PressWithModifiers(d, menu, {XK_Alt_L});
    if (!WaitFor([&] { return MenuOpen(d); }, std::chrono::seconds(10))) return false;
    PressWithModifiers(d, item, {});
    return true;
}

// The window titled `title` once it is listed and has the focus; 0 when it does not come.
inline Window FocusedBox(Display* d, const std::string& title,
                         std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    Window box = 0;
    WaitFor([&] { return (box = ClientWindowTitled(d, title)) != 0 && FocusWithin(d, box); }, limit);
    return box && FocusWithin(d, box) ? box : 0;
}

// Presses `key` in the focused box titled `title`; true once the box is gone.
inline bool AnswerBox(Display* d, const std::string& title, KeySym key) {
    const Window box = FocusedBox(d, title);
    if (!box) return false;
    PressWithModifiers(d, key, {});
    return WaitFor([&] { return ClientWindowTitled(d, title) != box; }, std::chrono::seconds(10));
}

}  // namespace tessaro::testing
