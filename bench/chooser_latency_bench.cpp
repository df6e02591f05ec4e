// Popup-chooser latency on a private X server with openbox: from the XTEST press of
// Ctrl+Alt+K, the hot key of a popup-menu macro, to the "Choose A Macro" window being
// viewable. Reports the median and the 99th percentile over 60 presses; the key of the
// menu's one item closes each chooser.
#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>
#include <vector>

#include "bench/latency_report.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "tests/e2e/player_process.h"
#include "tests/support/key_target.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"
#include "tests/e2e/tray_host.h"

namespace {

using namespace std::chrono_literals;
namespace t = tessaro::testing;

constexpr int kPresses = 60;
constexpr int kCtrlAltK = 154;
constexpr const char* kChooser = "Choose A Macro";

bool WriteMenuFile(const std::string& file) {
    if (!tessaro::CreateEmptyMacroFile(file).ok()) return false;
    tessaro::TMacroRecord item{};
    item.Nickname = "Item";
    item.Scope = tessaro::scGlobal;
    item.ActivationCode = tessaro::acNone;
    item.Enabled = 1;
    tessaro::SetMacroText(item, "x");
    tessaro::TMacroRecord menu{};
    menu.Nickname = "Menu";
    menu.Scope = tessaro::scPopupMenu;
    menu.ActivationCode = kCtrlAltK;
    menu.Enabled = 1;
    menu.IconName = "MENU";
    tessaro::PopupMenu items;
    items.items = {1};
    tessaro::WritePopupMenu(menu, items);
    return tessaro::WriteMacroRecordAt(file, -1, item).ok() &&
           tessaro::WriteMacroRecordAt(file, -1, menu).ok();
}

void ChooserLatency(benchmark::State& state) {
    t::Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) {
        state.SkipWithError("no Xvfb");
        return;
    }
    t::PlayerSandbox box(xvfb.name());
    const std::string file = box.file("CHOOSER.QTM");
    if (!WriteMenuFile(file)) {
        state.SkipWithError("the macro file could not be written");
        return;
    }
    Display* keyboard = xvfb.Open();
    Display* watcher = xvfb.Open();
    // The chooser takes the focus as a window manager hands it out.
    t::WindowManager wm(xvfb.name());
    if (!t::WaitFor([&] { return t::WindowManager::Running(watcher); }, 10s)) {
        state.SkipWithError("no window manager");
        return;
    }
    t::KeyTarget target(xvfb.Open(), "Chooser Target");
    if (!target.ok() || !target.Focus()) {
        state.SkipWithError("no target window");
        return;
    }
    t::PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    if (!t::WaitFor([&] { return t::HotKeyGrabbed(keyboard, XK_k, ControlMask | Mod1Mask); }, 15s)) {
        state.SkipWithError("the player never grabbed the hot key");
        return;
    }

    std::vector<double> ms;
    int lost = 0;
    for (auto _ : state) {
        for (int i = 0; i < kPresses; ++i) {
            std::this_thread::sleep_for(150ms);
            const auto start = std::chrono::steady_clock::now();
            t::PressWithModifiers(keyboard, XK_k, {XK_Control_L, XK_Alt_L});
            // Looked for every millisecond, so the poll adds little to what is measured.
            bool shown = false;
            auto seen = start;
            while (!shown && seen - start < 5s) {
                shown = t::FindTitled(watcher, kChooser) != 0;
                seen = std::chrono::steady_clock::now();
                if (!shown) std::this_thread::sleep_for(1ms);
            }
            if (!shown) {
                ++lost;
                continue;
            }
            ms.push_back(std::chrono::duration<double, std::milli>(seen - start).count());
            t::PressWithModifiers(keyboard, XK_0, {});  // plays the one item: "x" into the target
            if (!t::WaitFor([&] { return t::FindTitled(watcher, kChooser) == 0; }, 5s)) {
                state.SkipWithError("a chooser did not close");
                return;
            }
        }
    }
    XCloseDisplay(keyboard);
    XCloseDisplay(watcher);
    ReportLatencies(state, std::move(ms), lost, "presses");
}

BENCHMARK(ChooserLatency)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
