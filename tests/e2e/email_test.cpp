// A hot-key macro sends e-mail from the real player: the message reaches a local SMTP
// server, the sent-mail log and its index grow; with nothing listening the connection
// message shows and the macro types on.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cctype>
#include <cstring>
#include <fstream>
#include <map>

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

// The bytes a receiver takes from a quoted-printable part: soft breaks go, "=XX" is its byte,
// every other line end stays a CR LF.
std::string DecodeQuotedPrintablePart(const std::string& body) {
    std::string joined;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body.compare(i, 3, "=\r\n") == 0) {
            i += 2;
            continue;
        }
        joined += body[i];
    }
    std::string out;
    for (std::size_t i = 0; i < joined.size(); ++i) {
        if (joined[i] == '=' && i + 2 < joined.size() &&
            std::isxdigit(static_cast<unsigned char>(joined[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(joined[i + 2]))) {
            out += static_cast<char>(std::stoi(joined.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += joined[i];
        }
    }
    return out;
}

std::string DecodeBase64Part(const std::string& body) {
    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (char c : body) {
        const auto at = alphabet.find(c);
        if (at == std::string::npos) continue;  // line ends and padding
        bits = (bits << 6) | static_cast<unsigned>(at);
        if ((count += 6) >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

// The attachments of a multipart message as a receiver decodes them, by file name. The line
// end before each boundary line is the boundary's.
std::map<std::string, std::string> ReceivedAttachments(const std::string& message) {
    std::map<std::string, std::string> files;
    const auto at = message.find("boundary=\"");
    if (at == std::string::npos) return files;
    const std::string boundary = message.substr(at + 10, message.find('"', at + 10) - at - 10);
    const std::string delimiter = "\r\n--" + boundary;
    std::size_t pos = message.find(delimiter);
    while (pos != std::string::npos) {
        std::size_t start = pos + delimiter.size();
        if (message.compare(start, 2, "--") == 0) break;
        start += 2;  // the delimiter line's own end
        const std::size_t next = message.find(delimiter, start);
        const std::string part = message.substr(start, next - start);
        const std::size_t headEnd = part.find("\r\n\r\n");
        const std::string head = part.substr(0, headEnd);
        const std::string body = part.substr(headEnd + 4);
        const auto name = head.find("filename=\"");
        if (name != std::string::npos) {
            const std::string file = head.substr(name + 10, head.find('"', name + 10) - name - 10);
            files[file] = head.find("Quoted-Printable") != std::string::npos ? DecodeQuotedPrintablePart(body)
                          : head.find("Base64") != std::string::npos         ? DecodeBase64Part(body)
                                                                             : body;
        }
        pos = next;
    }
    return files;
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

// A subject of 1,200 characters goes out as the 255 a subject holds, and no line of the
// message is longer than SMTP takes; text files arrive with their own line ends and no
// other, whatever they end with, as binary files do.
TEST_F(EMailMacro, LongSubjectIsCutAndAttachmentsArriveByteForByte) {
    SmtpTestServer server;
    Settings(server.address());
    const std::map<std::string, std::string> files = {
        {"noend.txt", "29 bytes and no line end here"},
        {"lf.txt", "first line\nsecond line\n\nlast \n"},
        {"crlf.txt", "one\r\ntwo\r\n"},
        {"mixed.txt", "a\rb\r\nc\n\rd=e\r\n\r\n" + std::string(300, 'x') + " y\r"},
        {"bytes.dat", std::string("\0\x01\xff\r\n\n.\r\n", 9)},
    };
    std::string list;
    for (const auto& [name, bytes] : files) {
        std::ofstream(box_->file(name), std::ios::binary) << bytes;
        list += box_->file(name) + ";";
    }
    std::string subject;
    for (int i = 0; i < 120; ++i) subject += "subject" + std::to_string(i % 10) + "  ";
    ASSERT_EQ(subject.size(), 1200u);
    Macro(std::string("<EMAIL:RNR1TOBob|bob@example.org;") + kEnd + "S1Files as they are" + kEnd + subject +
          kEnd + "A2" + list + kEnd + "><DELAY:00002>done");
    KeyTarget target(xvfb_.Open(), "Mail Target");
    PlayerProcess player(*box_, {"/F" + file_, "/EN"}, "player.log");
    StartAndPress(target, player);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(Serve([&] { return !server.messages().empty() && server.clientClosed(); }, 20s))
        << player.Log();
    const std::string& sent = server.messages()[0];
    EXPECT_NE(sent.find("\r\nSubject: " + subject.substr(0, 255) + "\r\n"), std::string::npos) << sent;
    for (std::size_t start = 0, end; (end = sent.find("\r\n", start)) != std::string::npos; start = end + 2)
        ASSERT_LE(end - start + 2, 1000u) << sent.substr(start, 80);
    const std::map<std::string, std::string> received = ReceivedAttachments(sent);
    for (const auto& [name, bytes] : files) {
        ASSERT_EQ(received.count(name), 1u) << name << "\n" << sent;
        EXPECT_EQ(received.at(name), bytes) << name;
    }
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
