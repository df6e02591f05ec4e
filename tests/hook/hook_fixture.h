#pragma once
// A hook library on a simulated desktop, with a master block of its own per test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "hook/hooks.h"
#include "hook/master_block.h"
#include "hook/qtmhook.h"
#include "hook/sim/sim_source.h"

namespace tessaro::hook {

class SimHookTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kPlayer = 0x1111;
    static constexpr std::uint32_t kFocus = 0x2222;
    static constexpr std::uint32_t kMarkWindow = 0x7777;  // the source's window for marks

    void SetUp() override {
        static int serial = 0;
        ns_ = "hooktest-" + std::to_string(::getpid()) + "-" + std::to_string(++serial);
        ::setenv("TESSARO_NS", ns_.c_str(), 1);
        DetachMaster();
        HookSet().SetSourceFactory([this] {
            auto s = std::make_unique<SimSource>();
            s->markWindow = kMarkWindow;
            sim = s.get();
            return s;
        });
        g = std::make_unique<TGlobData>();
        g->PlayerWnd = kPlayer;
        QtmUpWindow(g.get());
    }
    void TearDown() override {
        HookSet().SetSourceFactory(nullptr);
        DetachMaster();
        ::unsetenv("TESSARO_NS");
    }

    void InstallInputHooks() {
        ASSERT_NE(QtmHookKeyboard(), 0u);
        ASSERT_NE(QtmHookMouse(), 0u);
        sim->sent.clear();
    }

    static InputEvent Key(std::uint16_t vk, std::uint8_t mods = 0, std::uint8_t typed = 0,
                          bool caps = false) {
        InputEvent e;
        e.kind = InputEvent::KeyDown;
        e.vk = vk;
        e.mods = mods;
        e.typed = typed;
        e.capsLock = caps;
        e.window = kFocus;
        return e;
    }
    static InputEvent Click(std::uint8_t button, std::uint8_t mods = 0) {
        InputEvent e;
        e.kind = InputEvent::ButtonDown;
        e.button = button;
        e.mods = mods;
        e.window = kFocus;
        return e;
    }

    // Messages of one number that the library sent.
    std::vector<Post> Sent(std::uint32_t msg) const {
        std::vector<Post> out;
        for (const Post& p : sim->sent)
            if (p.msg == msg) out.push_back(p);
        return out;
    }

    TGlobData Master() {
        TGlobData copy;
        TGlobData* p = &copy;
        QtmGetGlob(&p);
        return copy;
    }

    // A packed field, read by value.
    std::uint32_t IdleSeconds() { return Master().IdleSeconds; }

    std::string ns_;
    std::unique_ptr<TGlobData> g;
    SimSource* sim = nullptr;
};

}  // namespace tessaro::hook
