// Typing the mixed text (1,200 characters, every third a Windows-1252 character of the
// upper half, among characters on Shift and AltGr) through the real player on a private X
// server with a window manager, into text fields of the toolkits programs are built on: a
// Qt line edit and a GTK entry, each reading at once ("prompt") or stalling 300 ms inside
// its key handler every 25 keys ("stalling"), under the US and the German layout. With
// TESSARO_BEFORE_BIN naming the program folder of another build, each case runs with that
// build's player too, in the same run; xdotool types the same text into the same field
// when it is installed.
// Rate: characters per second from the hot key's release to the field's last change.
// "errors": characters the field did not get as sent (the edit distance, in characters);
// "map changes": keyboard-map changes the desktop was told of during the macro.
#include <QString>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/typing_compare.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/cp1252.h"
#include "tests/e2e/player_process.h"
#include "tests/e2e/text_field.h"
#include "tests/support/window_manager.h"
// Xlib's macros last.
#include <X11/XKBlib.h>

#include "tests/support/key_target.h"
#include "tests/support/typed_characters.h"
#include "tests/support/xkb_layout.h"
#include "tests/support/xvfb.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kCtrlAltK = 154;
const char* const kLayouts[] = {"us", "de"};
const char* const kReaders[] = {"qt_stall_reader", "gtk_stall_reader"};
enum Typist { kThisBuild, kBeforeBuild, kXdotool };

const char* BeforeBin() {
    const char* bin = std::getenv("TESSARO_BEFORE_BIN");
    return bin && *bin ? bin : nullptr;
}

std::u32string Chars(const std::string& utf8) {
    const QList<uint> ucs4 = QString::fromStdString(utf8).toUcs4();
    return {ucs4.begin(), ucs4.end()};
}

std::size_t Distance(const std::u32string& a, const std::u32string& b) {
    std::vector<std::size_t> row(b.size() + 1), next(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        next[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j)
            next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (a[i - 1] != b[j - 1])});
        std::swap(row, next);
    }
    return row[b.size()];
}

// Keyboard-map changes told to `d` since the last call: the keyboard extension's notices,
// one a change (Xlib would pass each on as a core notice as well).
int MapChanges(Display* d, int xkb_event) {
    int n = 0;
    XSync(d, False);
    while (XPending(d) > 0) {
        XEvent e;
        XNextEvent(d, &e);
        n += e.type == xkb_event && reinterpret_cast<XkbAnyEvent&>(e).xkb_type == XkbMapNotify;
    }
    return n;
}

// args: layout, stalling, reader, typist.
void ToolkitTyping(benchmark::State& state) {
    const char* layout = kLayouts[state.range(0)];
    const bool stalling = state.range(1) != 0;
    const char* reader = kReaders[state.range(2)];
    const auto typist = static_cast<Typist>(state.range(3));
    const std::string program = std::string(TESSARO_BENCH_BIN_DIR) + "/" + reader;
    if (!std::filesystem::exists(program)) {
        state.SkipWithError("the reader was not built");
        return;
    }
    const std::string text = tessaro::testing::MixedAbsentText(1200);
    const std::u32string want = Chars(win::Cp1252ToUtf8(text));
    tessaro::testing::Xvfb xvfb("640x480x24");
    if (xvfb.name().empty() || !tessaro::testing::SetKeyboardLayout(xvfb.name(), layout)) {
        state.SkipWithError("no Xvfb or setxkbmap");
        return;
    }
    Display* keyboard = xvfb.Open();
    tessaro::testing::WindowManager wm(xvfb.name());
    if (!tessaro::testing::WaitFor([&] { return tessaro::testing::WindowManager::Running(keyboard); }, 10s)) {
        state.SkipWithError("no window manager");
        return;
    }
    int xkb_event = 0, xkb_error = 0, major = XkbMajorVersion, minor = XkbMinorVersion, opcode = 0;
    XkbQueryExtension(keyboard, &opcode, &xkb_event, &xkb_error, &major, &minor);
    XkbSelectEvents(keyboard, XkbUseCoreKbd, XkbMapNotifyMask, XkbMapNotifyMask);
    tessaro::testing::PlayerSandbox box(xvfb.name());
    std::unique_ptr<tessaro::testing::PlayerProcess> player;
    if (typist != kXdotool) {
        const std::string file = box.file("TYPING.QTM");
        tessaro::TMacroRecord rec{};
        rec.ActivationCode = kCtrlAltK;
        rec.Nickname = "Typing";
        rec.Scope = tessaro::scGlobal;
        rec.Enabled = 1;
        tessaro::SetMacroText(rec, text);
        if (!tessaro::CreateEmptyMacroFile(file).ok() || !tessaro::WriteMacroRecordAt(file, 1, rec).ok()) {
            state.SkipWithError("cannot write the macro file");
            return;
        }
        const std::string tesrun =
            typist == kBeforeBuild ? std::string(BeforeBin()) + "/tesrun" : std::string();
        player = std::make_unique<tessaro::testing::PlayerProcess>(
            box, std::vector<std::string>{"/F" + file, "/EN"}, "player.log", tesrun);
        if (!tessaro::testing::WaitFor(
                [&] { return tessaro::testing::HotKeyGrabbed(keyboard, XK_k, ControlMask | Mod1Mask); },
                15s)) {
            state.SkipWithError("the player never grabbed the hot key");
            return;
        }
    }
    std::int64_t errors = 0, changes = 0;
    for (auto _ : state) {
        tessaro::testing::TextField field(xvfb.name(), program,
                                          stalling ? QStringList{"300", "25"} : QStringList{"0", "1"});
        if (!field.ready()) {
            state.SkipWithError("the reader did not take the focus");
            return;
        }
        MapChanges(keyboard, xkb_event);
        Clock::time_point start;
        if (typist == kXdotool) {
            start = Clock::now();
            if (!tessaro::bench::Xdotool(xvfb.name(), win::Cp1252ToUtf8(text))) {
                state.SkipWithError("xdotool failed");
                return;
            }
        } else {
            tessaro::testing::HeldKeys held(keyboard, {XK_Control_L, XK_Alt_L, XK_k});
            std::this_thread::sleep_for(tessaro::testing::kHold);
            held.Release(XK_k);
            start = Clock::now();
        }
        // Until the whole text is in, or nothing more comes for a while.
        std::string typed, before;
        auto changed = Clock::now();
        tessaro::testing::WaitFor(
            [&] {
                typed = field.Text();
                if (typed != before) changed = Clock::now();
                before = typed;
                return Chars(typed).size() >= want.size() || Clock::now() - changed > 8s;
            },
            600s);
        state.SetIterationTime(std::max(std::chrono::duration<double>(changed - start).count(), 1e-6));
        errors += static_cast<std::int64_t>(Distance(Chars(typed), want));
        changes += MapChanges(keyboard, xkb_event);
    }
    XCloseDisplay(keyboard);
    state.counters["errors"] =
        benchmark::Counter(static_cast<double>(errors), benchmark::Counter::kAvgIterations);
    state.counters["map changes"] =
        benchmark::Counter(static_cast<double>(changes), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    static const char* const kTypists[] = {"this build", "before", "xdotool"};
    state.SetLabel(std::string(layout) + (stalling ? " stalling " : " prompt ") + reader + " " +
                   kTypists[typist]);
}

void Cases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"layout", "stalling", "reader", "typist"});
    for (int reader = 0; reader < 2; ++reader)
        for (int layout = 0; layout < 2; ++layout)
            for (int stalling = 0; stalling < 2; ++stalling)
                for (int typist = kThisBuild; typist <= kXdotool; ++typist) {
                    if (typist == kBeforeBuild && !BeforeBin()) continue;
                    if (typist == kXdotool && !tessaro::bench::XdotoolInstalled()) continue;
                    b->Args({layout, stalling, reader, typist});
                }
    b->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
}
BENCHMARK(ToolkitTyping)->Apply(Cases);

}  // namespace
