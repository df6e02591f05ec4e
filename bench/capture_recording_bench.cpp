// Recording keeps up with typing: 2,000 keys typed through XTest at full speed on a
// private X server, recorded by the hook library in this process and sent back as capture
// characters to a message window here. Reports keys per second and how many were lost.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "hook/qtmhook.h"
#include "platform/x11/x11_messages.h"
#include "platform/messages.h"
#include "protocol/glob_data.h"
#include "protocol/window_messages.h"
// Last: Xlib's macros would clash with names above.
#include <X11/extensions/XTest.h>

#include "tests/support/xvfb.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kKeys = 2000;

void BM_RecordXTestTyping(benchmark::State& state) {
    static tessaro::testing::Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) {
        state.SkipWithError("no Xvfb");
        return;
    }
    ::setenv("DISPLAY", xvfb.name().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    ::setenv("TESSARO_NS", ("capbench" + std::to_string(::getpid())).c_str(), 1);
    static int argc = 1;
    static char name[] = "capture_recording_bench";
    static char* argv[] = {name, nullptr};
    static auto* app = new QGuiApplication(argc, argv);
    (void)app;
    win::x11::X11Messages messages;

    std::string received;
    win::MessageWindow capture(messages, [&](std::uint32_t msg, std::uint32_t, std::int32_t l) {
        if (msg == tessaro::WM_CAPTURE_CHAR) received += static_cast<char>(l);
        return 0;
    });
    auto g = std::make_unique<tessaro::TGlobData>();
    g->PlayerWnd = capture.hwnd();
    QtmUpWindow(g.get());
    g->KeyboardHook = QtmHookKeyboard();
    if (!g->KeyboardHook) {
        state.SkipWithError("the keyboard cannot be observed");
        return;
    }
    QtmUpKeyHook(g.get());

    Display* d = xvfb.Open();
    std::string typed;
    std::vector<KeyCode> codes;
    for (int i = 0; i < kKeys; ++i) {
        const char c = "abcdefghijklmnopqrstuvwxyz0123456789"[i % 36];
        typed += c;
        codes.push_back(XKeysymToKeycode(d, static_cast<KeySym>(c)));
    }
    double seconds = 0;
    std::size_t lost = 0;
    for (auto _ : state) {
        received.clear();
        g->CaptureOn = 1;
        g->CaptureMacro = 1;
        g->CapKeys = 1;
        g->CapStarting = 1;
        QtmUpCapture(g.get());
        QtmUpCaptureOn(g.get());
        QCoreApplication::processEvents();
        const auto start = Clock::now();
        for (KeyCode k : codes) {
            XTestFakeKeyEvent(d, k, True, CurrentTime);
            XTestFakeKeyEvent(d, k, False, CurrentTime);
        }
        XFlush(d);
        const auto limit = start + std::chrono::seconds(30);
        while (received.size() < typed.size() && Clock::now() < limit)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        lost = typed.size() - std::min(typed.size(), received.size());
        if (received != typed.substr(0, received.size())) state.SkipWithError("characters arrived changed");
        g->CaptureOn = 0;
        QtmUpCaptureOn(g.get());
    }
    state.counters["keys_per_second"] = kKeys / seconds;
    state.counters["lost"] = static_cast<double>(lost);
    QtmUnHook(g->KeyboardHook);
    XCloseDisplay(d);
}
BENCHMARK(BM_RecordXTestTyping)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
