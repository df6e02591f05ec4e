// Start-up with a full macro file (500 macros, the first on Ctrl+Alt+K typing "x") on a
// private X server: from the exec to the first hot key played (Ctrl+Alt+K pressed every
// 2 ms until its "x" comes), the resident and private dirty memory a second later, and
// from the exec of "tesrun /EY" to the editor's window mapped. This build's player, then,
// with TESSARO_BEFORE_BIN naming the program folder of another build, that build's, then
// the floor (hotkey_floor) for the hot key and the memory, in the same run.
#include <benchmark/benchmark.h>

#include <signal.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/full_macro_file.h"
#include "bench/compared_players.h"
#include "bench/latency_report.h"
#include "platform/paths.h"
#include "tests/e2e/player_process.h"
#include "tests/support/key_target.h"
#include "tests/support/xvfb.h"
// Xlib after the programs' headers: its macros would rename their members.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using tessaro::testing::KeyTarget;

constexpr int kCtrlAltK = 154;
using namespace tessaro::bench;

void Programs(benchmark::internal::Benchmark* b, bool floor) {
    for (const int program : {kThisBuild, kBuildBefore, kFloor})
        if ((program != kBuildBefore || BeforeBin()) && (program != kFloor || floor)) b->Arg(program);
}

bool WriteStartFile(const std::string& path) {
    tessaro::TMacroRecord hot{};
    hot.Nickname = "Latency";
    hot.Scope = tessaro::scGlobal;
    hot.Enabled = 1;
    hot.ActivationCode = kCtrlAltK;
    tessaro::SetMacroText(hot, "x");
    return WriteFullMacroFile(path) && tessaro::WriteMacroRecordAt(path, 1, hot).ok();
}

// Fields of smaps_rollup, in kB.
std::map<std::string, long> MemoryOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::map<std::string, long> fields;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string key;
        long kb = 0;
        if (words >> key >> kb && key.back() == ':') fields[key.substr(0, key.size() - 1)] = kb;
    }
    return fields;
}

void StartToFirstHotKey(benchmark::State& state) {
    const int program = static_cast<int>(state.range(0));
    tessaro::testing::Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) {
        state.SkipWithError("no Xvfb");
        return;
    }
    tessaro::testing::PlayerSandbox box(xvfb.name());
    if (!WriteStartFile(box.file("TESRO.QTM"))) {
        state.SkipWithError("cannot write the macro file");
        return;
    }
    Display* keyboard = xvfb.Open();
    KeyTarget target(xvfb.Open(), "Start Target");
    if (!ReadyToType(state, keyboard, target)) return;
    double startMs = 0;
    std::map<std::string, long> memory;
    for (auto _ : state) {
        target.Drain();
        target.keys.clear();
        const auto exec = KeyTarget::Clock::now();
        tessaro::testing::PlayerProcess player(
            box, program == kFloor ? std::vector<std::string>{} : std::vector<std::string>{"/EN"},
            "player.log", ProgramOf(program));
        KeyTarget::Clock::time_point seen{};
        auto typed = [&] {
            for (const auto& k : target.keys)
                if (k.press && k.keysym == "x") return seen = k.when, true;
            return false;
        };
        const auto until = Clock::now() + 30s;
        while (!typed() && Clock::now() < until) {
            {
                tessaro::testing::HeldKeys held(keyboard, {XK_Control_L, XK_Alt_L, XK_k});
                held.Release(XK_k);
            }
            target.WaitUntil(typed, 2ms);
        }
        if (!typed()) {
            state.SkipWithError(("no hot key played: " + player.Log()).c_str());
            return;
        }
        startMs = std::chrono::duration<double, std::milli>(seen - exec).count();
        std::this_thread::sleep_for(1s);
        memory = MemoryOf(player.pid());
        player.Stop(SIGKILL);
    }
    XCloseDisplay(keyboard);
    state.counters["start_to_hot_key_ms"] = startMs;
    state.counters["resident_MB"] = static_cast<double>(memory["Rss"]) / 1024;
    state.counters["private_dirty_MB"] = static_cast<double>(memory["Private_Dirty"]) / 1024;
}
BENCHMARK(StartToFirstHotKey)
    ->ArgName("program")
    ->Apply([](benchmark::internal::Benchmark* b) { Programs(b, true); })
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A viewable child of the root whose name holds `part`, and the process that shows it.
Window NamedWindow(Display* d, const std::string& part, pid_t* pid) {
    Window rootReturn = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &rootReturn, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attrs{};
        if (!XGetWindowAttributes(d, children[i], &attrs) || attrs.map_state != IsViewable) continue;
        char* name = nullptr;
        if (XFetchName(d, children[i], &name) && name) {
            if (std::string(name).find(part) != std::string::npos) found = children[i];
            XFree(name);
        }
    }
    if (children) XFree(children);
    if (found) {
        Atom type = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(d, found, XInternAtom(d, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL,
                               &type, &format, &n, &after, &data) == Success &&
            data) {
            if (n == 1 && format == 32) *pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
            XFree(data);
        }
    }
    return found;
}

void StartToEditorWindow(benchmark::State& state) {
    const int program = static_cast<int>(state.range(0));
    tessaro::testing::Xvfb xvfb("800x600x24");
    if (xvfb.name().empty()) {
        state.SkipWithError("no Xvfb");
        return;
    }
    tessaro::testing::PlayerSandbox box(xvfb.name());
    if (!WriteStartFile(box.file("TESRO.QTM"))) {
        state.SkipWithError("cannot write the macro file");
        return;
    }
    const std::unique_ptr<Display, int (*)(Display*)> d(xvfb.Open(), XCloseDisplay);
    double mappedMs = 0;
    for (auto _ : state) {
        const auto exec = Clock::now();
        tessaro::testing::PlayerProcess player(box, {"/EY"}, "player.log", ProgramOf(program));
        pid_t editor = 0;
        if (!tessaro::testing::WaitFor([&] { return NamedWindow(d.get(), "Tessaro Editor", &editor) != 0; },
                                       30s)) {
            state.SkipWithError(("the editor's window never showed: " + player.Log()).c_str());
            return;
        }
        mappedMs = std::chrono::duration<double, std::milli>(Clock::now() - exec).count();
        if (editor > 0) ::kill(editor, SIGKILL);
        player.Stop(SIGKILL);
    }
    state.counters["start_to_editor_window_ms"] = mappedMs;
}
BENCHMARK(StartToEditorWindow)
    ->ArgName("program")
    ->Apply([](benchmark::internal::Benchmark* b) { Programs(b, false); })
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
