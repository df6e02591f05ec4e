// A capture on a real X server: the "Start / Stop Capture" hot key starts it, a click
// into a text field of another process and typing are recorded, the hot key ends it, the
// dialog is closed and the macro, played by its nickname, types the same into a new field.
#include <QApplication>
#include <QByteArray>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

#include "hook/qtmhook.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/virtual_keys.h"
#include "player_process.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"
// Last: Xlib's macros clash with the names above.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "tests/support/key_target.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A line edit in a child process at the top left of the screen; it reports its text.
TEST(CaptureFieldChild, ShowsTheField) {
    if (!std::getenv("TESSARO_CAPTURE_FIELD")) GTEST_SKIP() << "runs only as a child of the capture test";
    int argc = 1;
    char name[] = "capture_target";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QLineEdit field;
    field.setWindowTitle("Capture Target");
    field.setGeometry(0, 0, 400, 40);
    QObject::connect(&field, &QLineEdit::textChanged, [](const QString& text) {
        std::cout << "TEXT:" << text.toUtf8().toHex().toStdString() << std::endl;
    });
    field.show();
    field.activateWindow();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (field.isVisible()) {
            poll.stop();
            std::cout << "READY" << std::endl;
        }
    });
    poll.start(20);
    QTimer::singleShot(300000, &app, &QApplication::quit);
    app.exec();
}

class Field {
public:
    explicit Field(const std::string& display) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", QString::fromStdString(display));
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("TESSARO_CAPTURE_FIELD", "1");
        child_.setProcessEnvironment(env);
        child_.start(QString::fromStdString(std::filesystem::read_symlink("/proc/self/exe").string()),
                     {"--gtest_filter=CaptureFieldChild.*"});
        const auto end = Clock::now() + 15s;
        while (!out_.contains("READY") && Clock::now() < end) {
            child_.waitForReadyRead(200);
            out_ += child_.readAllStandardOutput();
        }
        ready_ = out_.contains("READY");
    }
    ~Field() {
        child_.kill();
        child_.waitForFinished(5000);
    }
    bool ready() const { return ready_; }
    std::string Text() {
        child_.waitForReadyRead(20);
        out_ += child_.readAllStandardOutput();
        const qsizetype at = out_.lastIndexOf("TEXT:");
        if (at < 0) return {};
        const qsizetype end = out_.indexOf('\n', at);
        if (end < 0) return {};
        return QByteArray::fromHex(out_.mid(at + 5, end - at - 5)).toStdString();
    }
    bool WaitFor(const std::string& text, std::chrono::milliseconds limit) {
        return testing::WaitFor([&] { return Text() == text; }, limit);
    }

private:
    QProcess child_;
    QByteArray out_;
    bool ready_ = false;
};

TGlobData Master() {
    auto copy = std::make_unique<TGlobData>();
    TGlobData* p = copy.get();
    QtmGetGlob(&p);
    return *copy;
}

// A user at the keyboard: each key through XTest, é through a keycode mapped for it.
class Typist {
public:
    explicit Typist(Display* d) : d_(d) {}
    void Key(KeySym sym, bool shift = false) {
        const KeyCode shiftCode = XKeysymToKeycode(d_, XK_Shift_L);
        const KeyCode code = XKeysymToKeycode(d_, sym);
        if (shift) XTestFakeKeyEvent(d_, shiftCode, True, CurrentTime);
        XTestFakeKeyEvent(d_, code, True, CurrentTime);
        XTestFakeKeyEvent(d_, code, False, CurrentTime);
        if (shift) XTestFakeKeyEvent(d_, shiftCode, False, CurrentTime);
        XFlush(d_);
        std::this_thread::sleep_for(20ms);
    }
    void Type(const std::string& text) {
        for (char c : text) {
            const KeySym sym = static_cast<unsigned char>(c);
            const KeyCode code = XKeysymToKeycode(d_, sym);
            Key(sym, XkbKeycodeToKeysym(d_, code, 0, 0) != sym);
        }
    }
    // A character the layout has no key for.
    void Compose(KeySym sym) {
        int minKc = 0, maxKc = 0;
        XDisplayKeycodes(d_, &minKc, &maxKc);
        KeyCode spare = 0;
        for (int kc = maxKc; kc >= minKc && !spare; --kc) {
            int per = 0;
            KeySym* syms = XGetKeyboardMapping(d_, static_cast<KeyCode>(kc), 1, &per);
            bool empty = true;
            for (int i = 0; i < per; ++i) empty = empty && syms[i] == NoSymbol;
            XFree(syms);
            if (empty) spare = static_cast<KeyCode>(kc);
        }
        ASSERT_NE(spare, 0);
        KeySym both[2] = {sym, sym};
        XChangeKeyboardMapping(d_, spare, 2, both, 1);
        XSync(d_, False);
        std::this_thread::sleep_for(300ms);
        XTestFakeKeyEvent(d_, spare, True, CurrentTime);
        XTestFakeKeyEvent(d_, spare, False, CurrentTime);
        XSync(d_, False);
        std::this_thread::sleep_for(300ms);
        KeySym none[2] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(d_, spare, 2, none, 1);
        XSync(d_, False);
        std::this_thread::sleep_for(300ms);
    }
    void Click(int x, int y) {
        XTestFakeMotionEvent(d_, -1, x, y, CurrentTime);
        XFlush(d_);
        std::this_thread::sleep_for(100ms);
        XTestFakeButtonEvent(d_, 1, True, CurrentTime);
        XTestFakeButtonEvent(d_, 1, False, CurrentTime);
        XFlush(d_);
        std::this_thread::sleep_for(100ms);
    }
    // The hot key of a code, as the player decodes it.
    void HotKey(int code) {
        const DecipheredKey k = DecipherKey(code);
        std::vector<KeySym> mods;
        if (k.ctrl) mods.push_back(XK_Control_L);
        if (k.alt) mods.push_back(XK_Alt_L);
        if (k.shift) mods.push_back(XK_Shift_L);
        if (k.win) mods.push_back(XK_Super_L);
        for (KeySym m : mods) XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, m), True, CurrentTime);
        const KeyCode key = XKeysymToKeycode(d_, win::VkToKeysym(k.vk));
        XTestFakeKeyEvent(d_, key, True, CurrentTime);
        XTestFakeKeyEvent(d_, key, False, CurrentTime);
        for (auto it = mods.rbegin(); it != mods.rend(); ++it)
            XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, *it), False, CurrentTime);
        XFlush(d_);
    }

private:
    Display* d_;
};

// The top-level window with this title, or 0.
Window FindWindow(Display* d, const std::string& title) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned n = 0;
    Window found = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n)) return 0;
    for (unsigned i = 0; i < n && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(d, children[i], &name) && name) {
            XWindowAttributes a{};
            if (title == name && XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable)
                found = children[i];
            XFree(name);
        }
    }
    if (children) XFree(children);
    return found;
}

void CloseWindow(Display* d, Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &e);
    XFlush(d);
}

int CaptureHotKey(const TGlobData& g) {
    for (int n = 1; n <= g.MacroCount; ++n)
        if (g.Scope[n] == scSystem && g.ScopeText[n].str() == "2") return g.ActivationCode[n];
    return -1;
}

TEST(CaptureOnADesktop, RecordedTypingAndClicksPlayBackByNickname) {
    Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    Display* d = xvfb.Open();
    ASSERT_NE(d, nullptr);
    std::ofstream(box.file("TESRO.INI"))
        << "[Capture]\nKeys=Yes\nMouse=Yes\nRelative To Screen=1\nTime=No\nClicks Only=Yes\nPrompt=No\n"
           "Window Size=No\nGlobal=Yes\nDouble Alt=No\n";
    const std::string file = box.file("MACROS.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());

    auto field = std::make_unique<Field>(xvfb.name());
    ASSERT_TRUE(field->ready());
    PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    ASSERT_TRUE(player.started());
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    ASSERT_TRUE(WaitFor([] { return Master().KeyboardHook != 0 && CaptureHotKey(Master()) >= 0; }, 10s))
        << player.Log();
    const int hotKey = CaptureHotKey(Master());
    std::this_thread::sleep_for(500ms);

    Typist user(d);
    user.HotKey(hotKey);
    ASSERT_TRUE(WaitFor([] { return Master().CaptureOn == 1; }, 10s)) << player.Log();
    std::this_thread::sleep_for(300ms);
    user.Click(200, 20);
    user.Type("Hello, <World> 5 > 3 ");
    user.Compose(XK_eacute);
    user.Type("x");
    user.Key(XK_BackSpace);
    EXPECT_TRUE(field->WaitFor("Hello, <World> 5 > 3 \xC3\xA9", 10s)) << field->Text();
    user.HotKey(hotKey);

    Window dialog = 0;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindWindow(d, "Capture Complete")) != 0; }, 10s))
        << player.Log();
    EXPECT_EQ(Master().CaptureOn, 0);
    CloseWindow(d, dialog);
    // Closed, the dialog leaves the macro as the capture started it: "Capture".
    TMacroRecord rec;
    ASSERT_TRUE(WaitFor(
        [&] {
            return ReadMacroRecordAt(file, 6, rec).ok() &&
                   GetMacroText(rec).find("Hello") != std::string::npos;
        },
        10s))
        << GetMacroText(rec) << "|" << rec.Nickname.str() << "|" << FindWindow(d, "Capture Complete")
        << player.Log();
    const std::string text = GetMacroText(rec);
    EXPECT_EQ(rec.Nickname.str(), "Capture");
    EXPECT_EQ(text.rfind("<MMS:", 0), 0u) << text;
    const std::string typed = "<LCLK>Hello, <ALT:060>World> 5 > 3 \xE9x<BACKSPACE>";
    ASSERT_GE(text.size(), typed.size());
    EXPECT_EQ(text.substr(text.size() - typed.size()), typed)
        << "no stop-key tokens: " << text << player.Log();

    // A fresh field in the same place; the macro clicks into it and types.
    field.reset();
    Field fresh(xvfb.name());
    ASSERT_TRUE(fresh.ready());
    PlayerProcess second(box, {"/ACapture"}, "second.log");
    EXPECT_EQ(second.WaitExit(10s), 0);
    EXPECT_TRUE(fresh.WaitFor("Hello, <World> 5 > 3 \xC3\xA9", 15s)) << fresh.Text() << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    XCloseDisplay(d);
}

}  // namespace
}  // namespace tessaro::testing
