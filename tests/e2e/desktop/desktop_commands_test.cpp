// The wait, program, window and system commands played by the real player on a real X
// server, against real windows and private stand-ins of the system's services.
// Qt before the fixture, whose Xlib defines macros (Status) that Qt's headers use as names.
#include <QColor>
#include <QImage>
#include <QUrl>

#include "desktop_fixture.h"
#include "desktop_session.h"

#include <algorithm>
#include <sstream>

// Xlib after the fixture's headers, whose names its macros would break.
#include <X11/XKBlib.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/XTest.h>

#include "tests/support/key_target.h"
#include "tests/support/print_server.h"

namespace tessaro::testing {
namespace {

TEST_F(DesktopCommands, WaitedWindowIsPlacedSizedAndClosedOnceItLosesTheFront) {
    StartServer(true);
    if (IsSkipped()) return;
    Play(
        "<WAITWIN:001:Tess Target><WPOS:0030,0040Tess Target><WSIZE:0300,0200Tess Target>"
        "<WAITWLF:001:Tess Target><WCLS:Tess Target>");
    // The window comes while the macro waits for it.
    ASSERT_TRUE(WaitFor([&] { return Playing(); }, 10s)) << player_->Log();
    Helper target({TestBin() + "/tess_window", "Tess Target"}, box_->file("target.log"));
    Window w = 0;
    ASSERT_TRUE(WaitFor([&] { return (w = looker_->Find("Tess Target")) != 0; }, 10s));
    ASSERT_TRUE(WaitFor(
        [&] {
            const auto f = looker_->Frame(w);
            return f && f->x == 30 && f->y == 40 && f->width == 300 && f->height == 200;
        },
        10s))
        << "frame " << looker_->Frame(w)->x << "," << looker_->Frame(w)->y << " " << looker_->Frame(w)->width
        << "x" << looker_->Frame(w)->height << player_->Log();
    EXPECT_EQ(WaitFlags(), "0000");

    KeyTarget other(OpenDisplay(), "Other");  // takes the front: the window loses it
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(other.Focus());
    EXPECT_EQ(target.WaitExit(10s), 0) << "the window was not asked to close\n" << player_->Log();
    EXPECT_EQ(ReadAll(box_->file("target.log")), "closed\n");
    EXPECT_EQ(WaitFlags(), "0000");
}

TEST_F(DesktopCommands, KeyClickAndTextWaitsGoOnWhenTheUserDoesIt) {
    StartServer(false);
    if (IsSkipped()) return;
    ASSERT_NO_FATAL_FAILURE(FocusTarget());
    KeyTarget& target = *target_;
    Play("<WAITKEY:001:48>k<WAITLM:001>m<WAITTXTN:001:abc>t<WAITPB>p");
    Display* user = looker_->display();
    auto tap = [&](KeySym sym) {
        PressKeycode(user, XKeysymToKeycode(user, sym));
        XSync(user, False);
    };
    auto typed = [&](char c) { return target.Typed().find(c) != std::string::npos; };
    // The player may not be waiting yet: do it again until the macro goes on.
    ASSERT_TRUE(WaitFor(
        [&] {
            tap(XK_Escape);
            return target.WaitUntil([&] { return typed('k'); }, 200ms);
        },
        15s))
        << player_->Log();
    ASSERT_TRUE(WaitFor(
        [&] {
            PressButton(user, 1);
            XSync(user, False);
            return target.WaitUntil([&] { return typed('m'); }, 200ms);
        },
        10s))
        << player_->Log();
    ASSERT_TRUE(WaitFor(
        [&] {
            tap(XK_a), tap(XK_B), tap(XK_c);
            return target.WaitUntil([&] { return typed('t'); }, 300ms);
        },
        10s))
        << player_->Log();
    // The played-out wait ends when the hook library saw its marker, long before its timer.
    EXPECT_TRUE(target.WaitUntil([&] { return typed('p'); }, 10s)) << player_->Log();
    EXPECT_EQ(WaitFlags(), "0000");
}

TEST_F(DesktopCommands, KeyWaitTimeOutIsShownAndTheMacroStops) {
    StartServer(false);
    if (IsSkipped()) return;
    ASSERT_NO_FATAL_FAILURE(FocusTarget());
    Play("<WAITKEY:001:99>never");
    ASSERT_TRUE(MessageShown("Wait For Key Press")) << player_->Log();
    EXPECT_EQ(WaitFlags(), "0000");
    // Once the message is closed, the macro has ended without typing on.
    EXPECT_EQ(TypedOnceTheMessageIsClosed("Wait For Key Press").find("never"), std::string::npos);
}

TEST_F(DesktopCommands, MaximisedLaunchAndItsWindowWait) {
    StartServer(true);
    if (IsSkipped()) return;
    KeyTarget after(OpenDisplay(), "After Launch");
    ASSERT_TRUE(after.ok());
    Play("<LAUNCHNO2:0010Tess Launched<LAUNCH:" + TestBin() +
         "/tess_window<PARAM>\"Tess Launched\"2\x01>"
         "<ACTIVATE:After Launch>done");
    Window w = 0;
    ASSERT_TRUE(WaitFor([&] { return (w = looker_->Find("Tess Launched")) != 0; }, 10s)) << player_->Log();
    EXPECT_TRUE(WaitFor(
        [&] {
            const auto s = looker_->States(w);
            return std::find(s.begin(), s.end(), "_NET_WM_STATE_MAXIMIZED_VERT") != s.end() &&
                   std::find(s.begin(), s.end(), "_NET_WM_STATE_MAXIMIZED_HORZ") != s.end();
        },
        10s));
    EXPECT_TRUE(after.WaitUntil([&] { return after.Typed() == "done"; }, 10s)) << player_->Log();
    EXPECT_EQ(looker_->Find("Launch"), w);  // no failure message beside it
}

TEST_F(DesktopCommands, LaunchOfAMissingProgramTellsWhyAndEndsTheMacro) {
    StartServer(false);
    if (IsSkipped()) return;
    ASSERT_NO_FATAL_FAILURE(FocusTarget());
    Play("<LAUNCH:/nonexistent/program<PARAM>-v>rest");
    ASSERT_TRUE(MessageShown("Launch Error")) << player_->Log();
    EXPECT_EQ(TypedOnceTheMessageIsClosed("Launch Error").find("rest"), std::string::npos);
}

TEST_F(DesktopCommands, RepeatScreenSaverAndWallpaperAreReadBack) {
    const DesktopSession settings(DesktopSession::ReadsTheStore);
    ASSERT_TRUE(settings.ok()) << settings.busLog();
    StartServer(false);
    if (IsSkipped()) return;
    const std::string picture = box_->file("wall.png");
    {
        // The smallest PNG: one white pixel.
        static const unsigned char kPng[] = {
            0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
            0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00,
            0x00, 0x90, 0x77, 0x53, 0xde, 0x00, 0x00, 0x00, 0x0c, 0x49, 0x44, 0x41, 0x54, 0x08,
            0xd7, 0x63, 0xf8, 0xff, 0xff, 0x3f, 0x00, 0x05, 0xfe, 0x02, 0xfe, 0xdc, 0xcc, 0x59,
            0xe7, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
        std::ofstream(picture, std::ios::binary).write(reinterpret_cast<const char*>(kPng), sizeof kPng);
    }
    Play("<KEYDEL:2><KEYSPD:31><SSTIME:15><WALLS:" + picture + "><SCREEN:999>");
    EXPECT_TRUE(MessageShown("Macro Execution Error")) << player_->Log();
    Display* d = looker_->display();
    unsigned delay = 0, interval = 0;
    ASSERT_TRUE(XkbGetAutoRepeatRate(d, XkbUseCoreKbd, &delay, &interval));
    EXPECT_EQ(delay, 750u);
    EXPECT_EQ(interval, 33u);  // 30 a second
    int timeout = 0, saverInterval = 0, blanking = 0, exposures = 0;
    XGetScreenSaver(d, &timeout, &saverInterval, &blanking, &exposures);
    EXPECT_EQ(timeout, 900);
    const std::string uri = "file://" + picture;
    const std::string keyfile = ReadAll(settings.keyfile());
    EXPECT_NE(keyfile.find("picture-uri='" + uri + "'"), std::string::npos) << keyfile;
    EXPECT_NE(keyfile.find("picture-options='stretched'"), std::string::npos) << keyfile;
}

TEST_F(DesktopCommands, PositionedWallpaperIsPlacedWhereTheDesktopsSettingsShowIt) {
    const DesktopSession settings(DesktopSession::ReadsTheStore);
    ASSERT_TRUE(settings.ok()) << settings.busLog();
    StartServer(false);
    if (IsSkipped()) return;
    const std::string picture = box_->file("spot.png");
    QImage spot(4, 3, QImage::Format_RGB32);
    spot.fill(Qt::red);
    ASSERT_TRUE(spot.save(QString::fromStdString(picture), "PNG"));
    const std::string keyfile = settings.keyfile();
    // The shown picture's file, once the settings name one.
    auto shown = [&] {
        const std::string stored = ReadAll(keyfile), key = "picture-uri='";
        const std::size_t at = stored.find(key);
        if (at == std::string::npos) return std::string();
        const std::size_t from = at + key.size();
        const std::string uri = stored.substr(from, stored.find('\'', from) - from);
        return QUrl(QString::fromStdString(uri)).toLocalFile().toStdString();
    };
    // Whether `file` is the screen, black but for the 4 x 3 spot at (x, y).
    auto placedAt = [](const std::string& file, int x, int y) {
        const QImage placed(QString::fromStdString(file));
        return placed.size() == QSize(640, 480) && placed.pixelColor(x, y) == QColor(Qt::red) &&
               placed.pixelColor(x + 3, y + 2) == QColor(Qt::red) &&
               placed.pixelColor(x - 1, y) == QColor(Qt::black) &&
               placed.pixelColor(x + 4, y + 2) == QColor(Qt::black) &&
               placed.pixelColor(x, y + 3) == QColor(Qt::black) &&
               placed.pixelColor(0, 0) == QColor(Qt::black);
    };
    // The second picture gets a name of its own, or the desktop would keep showing the first.
    Play("<WALLP:0010,0020" + picture + "><WALLP:0100,0050" + picture + ">");
    ASSERT_TRUE(WaitFor([&] { return shown().ends_with("2.png"); }, 10s))
        << ReadAll(keyfile) << player_->Log();
    const std::string second = shown();
    EXPECT_EQ(std::filesystem::path(second).parent_path(), box_->dir());
    EXPECT_TRUE(placedAt(second, 100, 50));
    // The store knows no position: it shows the screen-sized picture across the screen.
    EXPECT_NE(ReadAll(keyfile).find("picture-options='spanned'"), std::string::npos) << ReadAll(keyfile);
    const std::string first = second.substr(0, second.size() - 5) + "1.png";
    EXPECT_TRUE(placedAt(first, 10, 20));
}

TEST_F(DesktopCommands, WebAndFtpAddressesReachTheOpenerWithTheirScheme) {
    StartServer(false);
    if (IsSkipped()) return;
    // The desktop's opener: a stand-in on the player's PATH that notes each address.
    const std::string bin = box_->file("bin");
    std::filesystem::create_directories(bin);
    const std::string opened = box_->file("opened");
    std::ofstream(bin + "/xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"" << opened << "\"\n";
    std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
    const char* path = std::getenv("PATH");
    ::setenv("PATH", (bin + ":" + (path ? path : "")).c_str(), 1);
    Play("<HTTP:www.example.com><FTP:ftp.example.com/pub/a.zip><HTTP:https://example.org/x?a=b>");
    std::vector<std::string> lines;
    EXPECT_TRUE(WaitFor(
        [&] {
            std::istringstream in(ReadAll(opened));
            lines.clear();
            for (std::string line; std::getline(in, line);) lines.push_back(line);
            return lines.size() >= 3;
        },
        10s))
        << player_->Log();
    // Each is opened on its own: their order is the opener's.
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"ftp://ftp.example.com/pub/a.zip", "http://www.example.com",
                                               "https://example.org/x?a=b"}));
}

// A private system bus with the stand-in login manager on it.
class PowerCommands : public DesktopCommands, public ::testing::WithParamInterface<const char*> {
protected:
    void StartBus(const std::string& answer) {
        const std::string socket = box_->file("system_bus");
        const std::string config = box_->file("bus.conf");
        std::ofstream(config) << "<busconfig><type>system</type><listen>unix:path=" << socket
                              << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                                 "<allow user=\"*\"/><allow own=\"*\"/><allow send_destination=\"*\"/>"
                                 "<allow receive_sender=\"*\"/></policy></busconfig>\n";
        bus_ = std::make_unique<Helper>(
            std::vector<std::string>{"dbus-daemon", "--nofork", "--config-file=" + config},
            box_->file("bus.log"));
        ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(socket); }, 10s))
            << ReadAll(box_->file("bus.log"));
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", ("unix:path=" + socket).c_str(), 1);
        calls_ = box_->file("calls");
        logind_ = std::make_unique<Helper>(
            std::vector<std::string>{TestBin() + "/fake_logind", answer, calls_}, box_->file("logind.log"));
        ASSERT_TRUE(WaitFor([&] { return ReadAll(calls_).find("ready") != std::string::npos; }, 10s))
            << ReadAll(box_->file("logind.log"));
    }
    void TearDown() override {
        DesktopCommands::TearDown();
        ::unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
    }
    std::unique_ptr<Helper> bus_, logind_;
    std::string calls_;
};

TEST_P(PowerCommands, EachTokenAsksTheLoginManagerAndCallsOnlyWhenAllowed) {
    StartServer(false);
    if (IsSkipped()) return;
    const std::string answer = GetParam();
    StartBus(answer);
    ASSERT_NO_FATAL_FAILURE(FocusTarget());
    KeyTarget& target = *target_;
    Play("<POWEROFF><REBOOT><SHUTDOWN><LOGOFF>end");
    ASSERT_TRUE(target.WaitUntil([&] { return target.Typed() == "end"; }, 20s)) << player_->Log();
    std::string expected = "ready\nCanPowerOff\n";
    if (answer != "no") expected += "PowerOff interactive\n";
    expected += "CanReboot\n";
    if (answer != "no") expected += "Reboot interactive\n";
    expected += "CanHalt\n";
    if (answer != "no") expected += "Halt interactive\n";
    expected += "GetSessionByPID " + std::to_string(player_->pid()) + "\nTerminate tess\n";
    EXPECT_EQ(ReadAll(calls_), expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, PowerCommands, ::testing::Values("yes", "challenge", "no"));

TEST_F(PowerCommands, AManagerThatNeverAnswersHoldsTheMacroOnlyBriefly) {
    StartServer(false);
    if (IsSkipped()) return;
    StartBus("hang");
    ASSERT_NO_FATAL_FAILURE(FocusTarget());
    KeyTarget& target = *target_;
    const auto start = std::chrono::steady_clock::now();
    Play("<REBOOT>end");
    ASSERT_TRUE(target.WaitUntil([&] { return target.Typed() == "end"; }, 30s)) << player_->Log();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
    EXPECT_EQ(ReadAll(calls_), "ready\nCanReboot\nReboot interactive\n");
}

TEST_F(DesktopCommands, PowerIsSilentWithoutALoginManager) {
    StartServer(false);
    if (IsSkipped()) return;
    ::setenv("DBUS_SYSTEM_BUS_ADDRESS", ("unix:path=" + box_->file("no_bus")).c_str(), 1);
    ASSERT_NO_FATAL_FAILURE(FocusTarget());
    KeyTarget& target = *target_;
    Play("<POWEROFF><LOGOFF>on");
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed() == "on"; }, 20s)) << player_->Log();
    ::unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
}

}  // namespace
}  // namespace tessaro::testing

namespace tessaro::testing {
namespace {

// A private print server with two queues that print to nowhere.
class PrinterCommands : public DesktopCommands {
protected:
    bool StartPrintServer() {
        cupsd_ = std::make_unique<PrintServer>(box_->file("cups"),
                                               std::initializer_list<const char*>{"Office", "Lab"});
        if (!cupsd_->ready()) return false;
        // The user's choice is written into the home folder.
        if (const char* home = std::getenv("HOME")) home_ = home;
        ::setenv("HOME", box_->dir().c_str(), 1);
        return true;
    }
    void TearDown() override {
        DesktopCommands::TearDown();
        cupsd_.reset();
        if (home_) ::setenv("HOME", home_->c_str(), 1);
    }
    std::string Choice() { return ReadAll(box_->file(".cups/lpoptions")); }
    std::unique_ptr<PrintServer> cupsd_;
    std::optional<std::string> home_;
};

TEST_F(PrinterCommands, DefaultPrinterIsTheUsersChoiceAndNamesMatchExactly) {
    StartServer(false);
    if (IsSkipped()) return;
    if (!StartPrintServer()) GTEST_SKIP() << "no print server: " << ReadAll(box_->file("cups/log/error_log"));
    Play("<DEFPRT:Lab><DEFPRT:lab>");
    EXPECT_TRUE(MessageShown("Macro Execution Error")) << player_->Log();
    EXPECT_NE(Choice().find("Default Lab"), std::string::npos) << Choice();
}

}  // namespace
}  // namespace tessaro::testing

namespace tessaro::testing {
namespace {

// The size of the fifth mode of the first connected output, as the server lists them.
std::pair<int, int> FifthMode(Display* d) {
    XRRScreenResources* res = XRRGetScreenResourcesCurrent(d, DefaultRootWindow(d));
    std::pair<int, int> size{0, 0};
    for (int o = 0; o < res->noutput && !size.first; ++o) {
        XRROutputInfo* out = XRRGetOutputInfo(d, res, res->outputs[o]);
        if (out->connection == RR_Connected && out->nmode > 4)
            for (int m = 0; m < res->nmode; ++m)
                if (res->modes[m].id == out->modes[4])
                    size = {int(res->modes[m].width), int(res->modes[m].height)};
        XRRFreeOutputInfo(out);
    }
    XRRFreeScreenResources(res);
    return size;
}

TEST_F(DesktopCommands, DisplayModeChangesForTheSessionAndAMissingOneIsReported) {
    StartDummyServer();
    if (IsSkipped()) return;
    const auto wanted = FifthMode(looker_->display());
    ASSERT_GT(wanted.first, 0);
    Play("<SCREEN:004><SCREEN:999>");
    EXPECT_TRUE(MessageShown("Macro Execution Error")) << player_->Log();
    Display* d = OpenDisplay();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(DisplayWidth(d, DefaultScreen(d)), wanted.first);
    EXPECT_EQ(DisplayHeight(d, DefaultScreen(d)), wanted.second);
    XCloseDisplay(d);
}

}  // namespace
}  // namespace tessaro::testing

namespace tessaro::testing {
namespace {

bool Has(const std::vector<std::string>& states, const char* state) {
    return std::find(states.begin(), states.end(), state) != states.end();
}

TEST_F(DesktopCommands, WindowsByTitleChangeStateHideShowTileAndEndTheirProgram) {
    StartServer(true);
    if (IsSkipped()) return;
    KeyTarget typing(OpenDisplay(), "Typing Target");
    ASSERT_TRUE(typing.ok());
    Helper one({TestBin() + "/tess_window", "Tess One"}, box_->file("one.log"));
    Helper two({TestBin() + "/tess_window", "Tess Two"}, box_->file("two.log"));
    Window w1 = 0, w2 = 0;
    ASSERT_TRUE(
        WaitFor([&] { return (w1 = looker_->Find("Tess One")) && (w2 = looker_->Find("Tess Two")); }, 10s));
    // Each step ends in a wait for its own key (B, C, D, E), so the test can look in between.
    Play(
        "<WMAX:Tess One><WAITKEY:001:01>"
        "<WRES:Tess One><WMIN:Tess Two><WAITKEY:001:02>"
        "<WRES:Tess Two><WPOS:0150,0120Tess One><WHIDE:Tess One><WAITKEY:001:03>"
        "<TILVDESK><WSHOW:Tess One><WAITKEY:001:04>"
        "<WSHUT:Tess Two><WSHUT:Tess One><WAITPROG:001:tess_window><ACTIVATE:Typing Target>done");
    Display* user = looker_->display();
    auto next = [&](KeySym key, const std::function<bool()>& until) {
        return WaitFor(
            [&] {
                PressKeycode(user, XKeysymToKeycode(user, key));
                XSync(user, False);
                return WaitFor(until, 300ms);
            },
            15s);
    };
    auto viewable = [&](Window w) {
        XWindowAttributes a{};
        return XGetWindowAttributes(user, w, &a) && a.map_state == IsViewable;
    };
    ASSERT_TRUE(WaitFor([&] { return Has(looker_->States(w1), "_NET_WM_STATE_MAXIMIZED_HORZ"); }, 15s))
        << player_->Log();
    ASSERT_TRUE(next(XK_b, [&] {
        return !Has(looker_->States(w1), "_NET_WM_STATE_MAXIMIZED_HORZ") &&
               Has(looker_->States(w2), "_NET_WM_STATE_HIDDEN");
    })) << player_->Log();
    ASSERT_TRUE(next(XK_c, [&] {
        return !Has(looker_->States(w2), "_NET_WM_STATE_HIDDEN") && !viewable(w1);
    })) << player_->Log();
    ASSERT_TRUE(next(XK_d, [&] {
        const auto f1 = looker_->Frame(w1), f2 = looker_->Frame(w2);
        // The two windows left side by side, the typing target among them: half the width
        // each; the hidden one is shown where it stood when it was hidden.
        return viewable(w1) && f1 && f1->x == 150 && f1->y == 120 && f2 && f2->width == 320 &&
               f2->x % 320 == 0;
    })) << player_->Log();
    // The last wait ends and the two programs are shut at once. No key is pressed after that,
    // so the macro's letters are its own: its "e" too, typed while the hand may still hold e.
    ASSERT_TRUE(next(XK_e, [&] { return one.WaitExit(0ms) >= 0 && two.WaitExit(0ms) >= 0; }))
        << player_->Log();
    EXPECT_EQ(one.WaitExit(0ms), 128 + SIGTERM);
    EXPECT_EQ(two.WaitExit(0ms), 128 + SIGTERM);
    EXPECT_TRUE(WaitFor([&] { return typing.Typed().find("done") != std::string::npos; }, 15s))
        << typing.Typed() << player_->Log();
    EXPECT_EQ(WaitFlags(), "0000");
}

}  // namespace
}  // namespace tessaro::testing
