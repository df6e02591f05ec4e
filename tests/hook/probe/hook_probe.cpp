// Roles played by separate processes in the desktop tests of the hook library:
//   receiver            a hidden message window; prints "hwnd N", then "msg M W L" per message
//   sender HWND M W L   posts one message and then one to a window that does not exist
//   focused             a focused window; prints "window N", then "key K" (the keysym) per key it gets
//   hooker HWND CODE [abbrev|waitpb]  the library with CODE in use and HWND as the
//                       player's window; "abbrev": abbreviations exist; "waitpb": a wait
//                       for the playback to catch up is armed
//   marker              types a key and marks the end of the playback as the player does:
//                       a message to the library's window on the connection it typed on
//   typist MOD KEY      types MOD+KEY (keysyms) through XTest as the player's playback does
// Every role ends when its standard input closes.
#include <QGuiApplication>
#include <QKeyEvent>
#include <QSocketNotifier>
#include <QWindow>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "hook/hooks.h"
#include "hook/qtmhook.h"
#include "platform/messages.h"
#include "platform/synthetic_input.h"
#include "platform/virtual_keys.h"
#include "platform/x11/display.h"
#include "platform/x11/x11_messages.h"
#include "platform/x11/xtest_input.h"
#include "protocol/window_messages.h"

namespace {

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

class KeyWindow : public QWindow {
protected:
    void keyPressEvent(QKeyEvent* e) override { Say("key " + std::to_string(e->nativeVirtualKey())); }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string role = argv[1];
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    QGuiApplication app(argc, argv);
    // Quit when the test closes our standard input.
    QSocketNotifier stdinGone(0, QSocketNotifier::Read);
    QObject::connect(&stdinGone, &QSocketNotifier::activated, [&] {
        char c;
        if (::read(0, &c, 1) <= 0) app.quit();
    });

    win::x11::X11Messages messages;
    std::unique_ptr<win::MessageWindow> receiver;
    std::unique_ptr<KeyWindow> focused;
    auto glob = std::make_unique<tessaro::TGlobData>();
    if (role == "receiver") {
        receiver = std::make_unique<win::MessageWindow>(
            messages, [](std::uint32_t m, std::uint32_t w, std::int32_t l) {
                Say("msg " + std::to_string(m) + " " + std::to_string(w) + " " + std::to_string(l));
                return 0;
            });
        Say("hwnd " + std::to_string(receiver->hwnd()));
    } else if (role == "sender" && argc == 6) {
        const auto hwnd = static_cast<win::HWND>(std::strtoul(argv[2], nullptr, 10));
        const bool ok =
            messages.PostMessage(hwnd, std::strtoul(argv[3], nullptr, 10), std::strtoul(argv[4], nullptr, 10),
                                 static_cast<std::int32_t>(std::strtol(argv[5], nullptr, 10)));
        const bool bogus = messages.PostMessage(0x1fffff0, 1, 0, 0);
        Say(std::string("sent ") + (ok ? "1" : "0") + " bogus " + (bogus ? "1" : "0"));
        return 0;
    } else if (role == "typist" && argc == 4) {
        Display* d = XOpenDisplay(nullptr);
        if (!d) return 1;
        const KeyCode m = XKeysymToKeycode(d, std::strtoul(argv[2], nullptr, 10));
        const KeyCode k = XKeysymToKeycode(d, std::strtoul(argv[3], nullptr, 10));
        for (auto [code, press] : {std::pair{m, true}, {k, true}, {k, false}, {m, false}}) {
            win::NoteSyntheticInput(press ? win::SyntheticKind::KeyDown : win::SyntheticKind::KeyUp, code);
            XTestFakeKeyEvent(d, code, press, 0);
        }
        XSync(d, False);
        XCloseDisplay(d);
        Say("typed");
        return 0;
    } else if (role == "player") {
        // Ctrl+K, typed the way playback types.
        Display* d = XOpenDisplay(nullptr);
        if (!d) return 1;
        {
            win::x11::XTestInput input(d);
            input.BeginPlayback();
            input.KeyEvent(win::VK_CONTROL, false);
            input.KeyEvent('K', false);
            input.KeyEvent('K', true);
            input.KeyEvent(win::VK_CONTROL, true);
            input.EndPlayback();
        }
        XSync(d, False);
        XCloseDisplay(d);
        Say("typed");
        return 0;
    } else if (role == "marker") {
        // A key, then the mark on the same connection, to the window the library named.
        Display* d = win::x11::SharedDisplay();
        tessaro::TGlobData* master = glob.get();
        QtmGetGlob(&master);
        if (!d || !master || master->HookWnd == 0) return 1;
        const KeyCode x = XKeysymToKeycode(d, XK_x);
        win::NoteSyntheticInput(win::SyntheticKind::KeyDown, x);
        XTestFakeKeyEvent(d, x, True, 0);
        win::NoteSyntheticInput(win::SyntheticKind::KeyUp, x);
        XTestFakeKeyEvent(d, x, False, 0);
        if (!messages.PostMessage(master->HookWnd, tessaro::WM_PLAYBACK_MARK, 0, 0)) return 1;
        Say("typed");
        return 0;
    } else if (role == "focused") {
        focused = std::make_unique<KeyWindow>();
        focused->resize(200, 100);
        focused->show();
        Say("window " + std::to_string(focused->winId()));
    } else if (role == "hooker" && (argc == 4 || argc == 5)) {
        glob->PlayerWnd = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
        glob->HotKeyUsed[std::atoi(argv[3])] = 1;
        glob->HasAbbreviations = argc == 5 && std::string(argv[4]) == "abbrev";
        glob->WaitPlayback = argc == 5 && std::string(argv[4]) == "waitpb";
        QtmUpWaits(glob.get());
        QtmUpWindow(glob.get());
        QtmUpKeys(glob.get());
        tessaro::hook::HookSet().AddFilter([](const tessaro::hook::InputEvent& e, const tessaro::TGlobData&,
                                              std::vector<tessaro::hook::Post>&) {
            Say("event " + std::to_string(e.kind) + " vk " + std::to_string(e.vk) + " mods " +
                std::to_string(e.mods) + " synthetic " + std::to_string(e.synthetic));
            return false;
        });
        const std::uint32_t hook = QtmHookKeyboard();
        glob->KeyboardHook = hook;
        QtmUpKeyHook(glob.get());
        Say(std::string("hooked ") + (hook ? "1" : "0"));
    } else {
        return 2;
    }
    return app.exec();
}
