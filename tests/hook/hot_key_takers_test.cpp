// Which macro could take a pressed hot key, decided from the trigger table and the titles.
#include "hook/hot_key_takers.h"

#include <gtest/gtest.h>

#include <memory>

namespace tessaro::hook {
namespace {

TEST(HotKeyTakers, AScopedMacroTakesThePressOnlyWhereItsWindowOrProgramIs) {
    auto g = std::make_unique<TGlobData>();
    g->MacroCount = 3;
    auto set = [&](int n, std::uint16_t scope, const char* text, bool topmostOnly, bool enabled = true) {
        g->Scope[n] = scope;
        g->ScopeText[n] = text;
        g->TopmostOnly[n] = topmostOnly;
        g->Enabled[n] = enabled;
        g->ActivationCode[n] = static_cast<std::uint16_t>(n);
    };
    set(1, 2, "Notes", false);
    set(2, 2, "Notes", true);
    set(3, 3, "GEDIT", true);
    int asked = 0;
    DesktopTitles desk{"Terminal", {"Terminal", "report - notes"}};
    auto titles = [&]() -> std::optional<DesktopTitles> {
        ++asked;
        return desk;
    };
    EXPECT_TRUE(SomeMacroTakes(*g, 1, titles));   // the window exists behind
    EXPECT_FALSE(SomeMacroTakes(*g, 2, titles));  // topmost only, and not in front
    desk.foreground = "report - notes";
    EXPECT_TRUE(SomeMacroTakes(*g, 2, titles));
    EXPECT_FALSE(SomeMacroTakes(*g, 3, titles));  // its program is not in front
    g->ActiveProgram = "GEDIT";
    EXPECT_TRUE(SomeMacroTakes(*g, 3, titles));
    EXPECT_EQ(asked, 3);  // never for a program macro
    // No window anywhere; a desktop that cannot be read; a code only a disabled macro names
    // (left to the player).
    desk = {"Terminal", {"Terminal"}};
    EXPECT_FALSE(SomeMacroTakes(*g, 1, titles));
    EXPECT_TRUE(SomeMacroTakes(*g, 1, [] { return std::nullopt; }));
    set(1, 2, "Notes", false, false);
    EXPECT_TRUE(SomeMacroTakes(*g, 1, titles));
}

}  // namespace
}  // namespace tessaro::hook
