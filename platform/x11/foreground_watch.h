#pragma once
// The foreground window and its title, kept from the server's notices on a connection of
// its own (no other reader takes its events): the root's _NET_ACTIVE_WINDOW and
// _NET_SUPPORTING_WM_CHECK, the focus notices of the focused window when no window
// manager runs, and the title and end of the foreground window. Each answer first reads
// the notices that have come, so a window renamed or activated before the question is
// answered as it is now.
#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <string>

namespace win::x11 {

// The title of `window` in UTF-8 (_NET_WM_NAME, else WM_NAME); empty when it has none.
std::string WindowTitleUtf8(Display* d, Window window);
// The window's parent; 0 when it is gone.
Window ParentOf(Display* d, Window window);
// The child of the root that holds `window`, 0 when it is gone or is the root.
Window TopLevelOf(Display* d, Window window);

class ForegroundWatch {
public:
    // nullptr when the display cannot be opened.
    static std::unique_ptr<ForegroundWatch> Open(const char* displayName);
    ~ForegroundWatch();
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;

    // The active window (with a window manager) or the top level holding the focus.
    Window Foreground();
    // The title of the foreground window in UTF-8; nothing for any other window.
    std::optional<std::string> ForegroundTitle(Window window);

private:
    explicit ForegroundWatch(Display* d);
    void ReadNotices();
    // Watches `window` (its title, its end, and without a manager its focus) instead of
    // the one watched before.
    void Watch(Window window, long mask);

    Display* d_;
    Window root_;
    Atom active_, check_, netName_, utf8_;
    std::optional<bool> managed_;
    bool foregroundStale_ = true;
    bool titleStale_ = true;
    Window focus_ = 0;       // without a manager: the focused window, whose notices come
    Window foreground_ = 0;  // watched for its title and its end
    std::string title_;
};

}  // namespace win::x11
