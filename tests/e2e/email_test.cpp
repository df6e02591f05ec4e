// A hot-key macro sends e-mail from the real player: the message reaches a local SMTP
// server, the sent-mail log and its index grow; with nothing listening the connection
// message shows and the macro types on.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstring>
#include <fstream>

#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "player_process.h"
#include "protocol/mail_log.h"
#include "tests/mail/smtp_test_server.h"
#include "tests/support/key_target.h"
#include "tests/support/qt_core_app.h"
#include "tests/support/xvfb.h"
#include "tests/support/unpacked.h"

// After Qt: the X11 headers define names that Qt uses.
#include <X11/XKBlib.h>

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltK = 154;
constexpr char kEnd = '\x01';

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// Whether the process has a library mapped, by part of its file name.
bool MappedIn(pid_t pid, const std::string& library) {
    return ReadAll("/proc/" + std::to_string(pid) + "/maps").find(library) != std::string::npos;
}

// The window of the player titled `title`, or 0.
Window FindTitledBelow(Display* d, Window w, const std::string& title) {
    char* name = nullptr;
    if (XFetchName(d, w, &name) && name) {
        const bool match = title == name;
        XFree(name);
        if (match) return w;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &n)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < n && !found; ++i) found = FindTitledBelow(d, children[i], title);
    if (children) XFree(children);
    return found;
}

// Windows come and go during the walk: one that vanished is no error.
Window FindTitled(Display* d, Window w, const std::string& title) {
    XSync(d, False);
    auto* previous = XSetErrorHandler(IgnoreXError);
    const Window found = FindTitledBelow(d, w, title);
    XSync(d, False);
    XSetErrorHandler(previous);
    return found;
}

// Focuses the window titled `title` once it is on the screen; 0 when none shows in time.
Window FocusTitled(Display* d, const std::string& title) {
    Window w = 0;
    const bool shown = WaitFor(
        [&] {
            w = FindTitled(d, DefaultRootWindow(d), title);
            if (!w) return false;
            XWindowAttributes a{};
            auto* previous = XSetErrorHandler(IgnoreXError);
            const bool viewable = XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable;
            if (viewable) XSetInputFocus(d, w, RevertToParent, CurrentTime);
            XSync(d, False);
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(d, &focus, &revert);
            XSetErrorHandler(previous);
            return viewable && focus == w;
        },
        std::chrono::seconds(15));
    return shown ? w : 0;
}

// Whether a completion list is up: a viewable window on the root that no window manager
// handles (override-redirect), as a toolkit's popups are.
bool CompletionShown(Display* d) {
    auto* previous = XSetErrorHandler(IgnoreXError);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    bool shown = false;
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !shown; ++i) {
            XWindowAttributes a{};
            shown = XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
                    a.override_redirect && a.width > 1 && a.height > 1;
        }
        if (children) XFree(children);
    }
    XSync(d, False);
    XSetErrorHandler(previous);
    return shown;
}

// Types text as a hand does, each key held for 80 ms; Shift where the character needs it.
void TypeHeld(Display* d, const std::string& text) {
    const KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);
    for (unsigned char c : text) {
        const KeySym sym = c;  // Latin-1 keysyms are the characters themselves
        const KeyCode code = XKeysymToKeycode(d, sym);
        const bool shifted = XkbKeycodeToKeysym(d, code, 0, 0) != sym;
        if (shifted) XTestFakeKeyEvent(d, shift, True, CurrentTime);
        XTestFakeKeyEvent(d, code, True, CurrentTime);
        XFlush(d);
        std::this_thread::sleep_for(std::chrono::milliseconds(80));
        XTestFakeKeyEvent(d, code, False, CurrentTime);
        if (shifted) XTestFakeKeyEvent(d, shift, False, CurrentTime);
        XFlush(d);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

class EMailMacro : public ::testing::Test {
protected:
    void SetUp() override {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        EnsureCoreApplication();
        box_ = std::make_unique<PlayerSandbox>(xvfb_.name());
        keyboard_ = xvfb_.Open();
        ASSERT_NE(keyboard_, nullptr);
        file_ = box_->file("MAIL.QTM");
        attachment_ = box_->file("notes.txt");
        std::ofstream(attachment_, std::ios::binary) << ".profile\r\nline two\r\n";
        ASSERT_TRUE(CreateEmptyMacroFile(file_).ok());
    }
    void TearDown() override {
        if (keyboard_) XCloseDisplay(keyboard_);
    }

    void Settings(const std::string& host) {
        std::ofstream ini(box_->file("TESRO.INI"), std::ios::binary);
        ini << "[EMail]\r\nSMTP Host=" << host
            << "\r\nEMail Name=Ann Sender\r\nEMail Address=ann@example.org\r\n"
            << "SMTP Port=25\r\nAttachment Encoding=0\r\nKeep Log=Yes\r\n";
    }
    void Macro(const std::string& text) {
        TMacroRecord rec{};
        rec.Nickname = "Mail";
        rec.Scope = scGlobal;
        rec.ActivationCode = kCtrlAltK;
        rec.Enabled = 1;
        SetMacroText(rec, text);
        ASSERT_TRUE(WriteMacroRecordAt(file_, 1, rec).ok());
    }
    // The target focused, the player up with its hot key, the hot key pressed.
    void StartAndPress(KeyTarget& target, PlayerProcess& player) {
        ASSERT_TRUE(target.ok());
        ASSERT_TRUE(target.Focus());
        ASSERT_TRUE(player.started());
        ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
        ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }, 10s))
            << player.Log();
        PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    }
    // Waits while this process serves its SMTP server.
    static bool Serve(const std::function<bool()>& done, std::chrono::milliseconds limit) {
        return WaitFor(
            [&] {
                QCoreApplication::processEvents();
                return done();
            },
            limit);
    }

    Xvfb xvfb_{"640x480x24"};
    std::unique_ptr<PlayerSandbox> box_;
    Display* keyboard_ = nullptr;
    std::string file_;
    std::string attachment_;
};

TEST_F(EMailMacro, HotKeyMacroSendsAndLogsTheMessage) {
    SmtpTestServer server;
    Settings(server.address());
    Macro(std::string("<EMAIL:RNR1TOBob|bob@example.org;") + kEnd + "CCCy|cy@example.org;" + kEnd +
          "BLDi|di@example.org;" + kEnd + "S1Hello from a macro" + kEnd + "Macro mail" + kEnd + "A2" +
          attachment_ + ";" + kEnd + "><DELAY:00002>done");
    KeyTarget target(xvfb_.Open(), "Mail Target");
    PlayerProcess player(*box_, {"/F" + file_, "/EN"}, "player.log");
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    // The network code is loaded with the first mail, not at start.
    EXPECT_FALSE(MappedIn(player.pid(), "libQt6Network"));
    EXPECT_FALSE(MappedIn(player.pid(), "libtesmail"));
    StartAndPress(target, player);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(Serve([&] { return !server.messages().empty() && server.clientClosed(); }, 20s))
        << player.Log();
    EXPECT_TRUE(MappedIn(player.pid(), "libtesmail"));
    const std::string& sent = server.messages()[0];
    EXPECT_NE(sent.find("From:     Ann Sender <ann@example.org>\r\n"), std::string::npos);
    EXPECT_NE(sent.find("To:       Bob <bob@example.org>\r\n"), std::string::npos);
    EXPECT_NE(sent.find("CC:       Cy <cy@example.org>\r\n"), std::string::npos);
    EXPECT_EQ(sent.find("di@example.org"), std::string::npos);
    EXPECT_NE(sent.find("Subject: Macro mail\r\n"), std::string::npos);
    EXPECT_NE(sent.find("\r\nHello from a macro\r\n"), std::string::npos);
    EXPECT_NE(sent.find("filename=\"notes.txt\"\r\n\r\n.profile\r\nline two\r\n"), std::string::npos);
    EXPECT_TRUE(server.HasCommand("RCPT TO:<di@example.org>"));

    const std::string log = ReadAll(box_->file("MAILLOG.TXT"));
    EXPECT_EQ(log,
              "From: Ann Sender <ann@example.org>\r\nTo: Bob <bob@example.org>\r\ncc: Cy <cy@example.org>\r\n"
              "blind cc: Di <di@example.org>\r\nAttachments: " +
                  attachment_ +
                  "\r\nSubject: Macro mail\r\n"
                  "Body: Hello from a macro\r\n");
    const std::string index = ReadAll(box_->file("MAILLOG.MCI"));
    ASSERT_EQ(index.size(), sizeof(TMailLogEntry));
    TMailLogEntry entry{};
    std::memcpy(&entry, index.data(), sizeof entry);
    EXPECT_EQ(entry.ToAddress.str(), "bob@example.org");
    EXPECT_EQ(Unpacked(entry.LogLength), static_cast<std::int32_t>(log.size()));
    EXPECT_EQ(entry.HasAttachments + entry.HasCC + entry.HasBCC, 3);

    // The status window has gone; the macro goes on into the focused window.
    ASSERT_TRUE(target.Focus());
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed() == "done"; }, 10s))
        << target.Typed() << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
}

// The macro asks for its attachments: the Send E-Mail dialog stays open while two files are
// added through the player's own file dialog, and "Continue" sends both.
TEST_F(EMailMacro, AttachmentsAddedInTheDialogAreSent) {
    SmtpTestServer server;
    Settings(server.address());
    const std::string second = box_->file("second.txt");
    std::ofstream(second, std::ios::binary) << "second file\r\n";
    Macro(std::string("<EMAIL:RNR1TOBob|bob@example.org;") + kEnd + "S1Two files" + kEnd + "Files" + kEnd +
          "A3><DELAY:00002>done");
    KeyTarget target(xvfb_.Open(), "Mail Target");
    PlayerProcess player(*box_, {"/F" + file_, "/EN"}, "player.log");
    StartAndPress(target, player);
    if (HasFatalFailure()) return;
    bool first = true;
    for (const std::string& path : {attachment_, second}) {
        ASSERT_NE(FocusTitled(keyboard_, "Send E-Mail"), 0u) << path << player.Log();
        // "A&dd" shares its mnemonic with "&Delete": from the list Tab reaches it, and it
        // keeps the focus after the file dialog.
        if (first) PressWithModifiers(keyboard_, XK_Tab, {});
        first = false;
        PressWithModifiers(keyboard_, XK_space, {});
        ASSERT_NE(FocusTitled(keyboard_, "Select File For Attachment"), 0u) << player.Log();
        TypeHeld(keyboard_, path);
        // Return takes the typed name (a first one may only close the completion list).
        const auto dialogShown = [&] {
            return FindTitled(keyboard_, DefaultRootWindow(keyboard_), "Select File For Attachment") != 0;
        };
        for (int presses = 0; presses < 3 && dialogShown(); ++presses) {
            const bool listed = CompletionShown(keyboard_);
            PressWithModifiers(keyboard_, XK_Return, {});
            WaitFor([&] { return !dialogShown() || (listed && !CompletionShown(keyboard_)); }, 5s);
        }
        ASSERT_FALSE(dialogShown()) << player.Log();
        EXPECT_TRUE(server.commands().empty()) << "the mail left before Continue";
    }
    ASSERT_NE(FocusTitled(keyboard_, "Send E-Mail"), 0u) << player.Log();
    PressWithModifiers(keyboard_, XK_c, {XK_Alt_L});  // "&Continue"
    ASSERT_TRUE(Serve([&] { return !server.messages().empty() && server.clientClosed(); }, 20s))
        << player.Log();
    const std::string& sent = server.messages()[0];
    EXPECT_NE(sent.find("filename=\"notes.txt\"\r\n\r\n.profile\r\nline two\r\n"), std::string::npos) << sent;
    EXPECT_NE(sent.find("filename=\"second.txt\"\r\n\r\nsecond file\r\n"), std::string::npos) << sent;
    ASSERT_TRUE(target.Focus());
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed() == "done"; }, 10s))
        << target.Typed() << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
}

TEST_F(EMailMacro, ClosedPortShowsTheConnectionMessageAndTheMacroGoesOn) {
    quint16 port = 0;
    {
        SmtpTestServer gone;
        port = gone.port();
    }
    Settings("127.0.0.1:" + std::to_string(port));
    Macro(std::string("<EMAIL:RNR1TObob@example.org;") + kEnd + "S1b" + kEnd + "s" + kEnd +
          "A1><DELAY:00002>on");
    KeyTarget target(xvfb_.Open(), "Mail Target");
    PlayerProcess player(*box_, {"/F" + file_, "/EN"}, "player.log");
    StartAndPress(target, player);
    if (HasFatalFailure()) return;
    // Its OK button: Enter in the focused message window, once it is on the screen (a window
    // not yet mapped cannot take the focus).
    ASSERT_NE(FocusTitled(keyboard_, "Error"), 0u) << player.Log();
    PressWithModifiers(keyboard_, XK_Return, {});
    ASSERT_TRUE(
        WaitFor([&] { return FindTitled(keyboard_, DefaultRootWindow(keyboard_), "Error") == 0; }, 10s));
    ASSERT_TRUE(target.Focus());
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed() == "on"; }, 10s))
        << target.Typed() << player.Log();
    EXPECT_EQ(ReadAll(box_->file("MAILLOG.TXT")), "");
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
}

}  // namespace
}  // namespace tessaro::testing
