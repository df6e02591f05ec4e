#include "protocol/hotkey_codes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tessaro::hook {
namespace {

struct Expect {
    int code;
    int vk;
    int mouse;
    std::uint8_t mods;
};

TEST(HotKeyCodes, DecodesTheDocumentedExamples) {
    const Expect cases[] = {
        {0, 65, 0, kModCtrl},
        {287, 123, 0, kModCtrl | kModAlt | kModShift},
        {430, 111, 0, 0},
        {431, 111, 0, kModCtrl},
        {433, 111, 0, kModShift},
        {699, 0, 1, 0},
        {705, 0, 1, kModShift | kModAlt},
        {718, 0, 3, kModCtrl | kModAlt},
        {478, 33, 0, kModCtrl | kModAlt | kModShift},
        {720, 32, 0, kModWin},
        {698, 27, 0, 0},
    };
    for (const Expect& e : cases) {
        const HotKeyDef* d = HotKeyDefinition(e.code);
        ASSERT_NE(d, nullptr) << e.code;
        EXPECT_EQ(d->vk, e.vk) << e.code;
        EXPECT_EQ(d->mouse, e.mouse) << e.code;
        EXPECT_EQ(d->mods, e.mods) << e.code;
    }
    EXPECT_EQ(HotKeyDefinition(-1), nullptr);
    EXPECT_EQ(HotKeyDefinition(721), nullptr);
}

TEST(HotKeyCodes, NamesAgreeWithModifiersAndAreCut) {
    for (int code = 0; code <= 720; ++code) {
        const HotKeyDef* d = HotKeyDefinition(code);
        ASSERT_NE(d, nullptr);
        const std::string& n = d->name;
        EXPECT_LE(n.size(), 24u) << code;
        EXPECT_EQ(n.find("Ctrl+") != std::string::npos, (d->mods & kModCtrl) != 0) << n;
        EXPECT_EQ(n.find("Alt+") != std::string::npos, (d->mods & kModAlt) != 0) << n;
        EXPECT_EQ(n.find("Shift+") != std::string::npos, (d->mods & kModShift) != 0) << n;
        EXPECT_EQ(n.find("Win+") != std::string::npos, (d->mods & kModWin) != 0) << n;
        EXPECT_EQ((d->mods & kModWin) != 0, (code >= 554 && code <= 697) || code == 720) << n;
        EXPECT_EQ(d->mouse != 0, code >= 699 && code <= 719) << n;
    }
    EXPECT_EQ(HotKeyDefinition(0)->name, "Ctrl+A");
    EXPECT_EQ(HotKeyDefinition(287)->name, "Ctrl+Alt+Shift+F12");
    EXPECT_EQ(HotKeyDefinition(430)->name, "KeyPad /");
    EXPECT_EQ(HotKeyDefinition(431)->name, "Ctrl+Keypad /");
    EXPECT_EQ(HotKeyDefinition(433)->name, "Shift+KeyPad /");
    EXPECT_EQ(HotKeyDefinition(514)->name, "KeyPad 0");
    EXPECT_EQ(HotKeyDefinition(515)->name, "Ctrl+Keypad 0");
    EXPECT_EQ(HotKeyDefinition(712)->name, "Shift+Alt+RMouse");
    EXPECT_EQ(HotKeyDefinition(720)->name, "Win+Space");
    EXPECT_EQ(HotKeyDefinition(492)->name, "Ctrl+Alt+Shift+Left Arro");
    EXPECT_EQ(HotKeyDefinition(499)->name, "Ctrl+Alt+Shift+Right Arr");
    EXPECT_EQ(HotKeyDefinition(506)->name, "Ctrl+Alt+Shift+Up Arrow");
    EXPECT_EQ(HotKeyDefinition(513)->name, "Ctrl+Alt+Shift+Down Arro");
    EXPECT_EQ(HotKeyDefinition(485)->name, "Ctrl+Alt+Shift+Page Down");
}

TEST(HotKeyCodes, VirtualKeysFollowTheBlockRules) {
    for (int code = 0; code < 288; ++code) {
        const int k = code % 48;
        const int vk = k < 26 ? 65 + k : k < 36 ? 48 + k - 26 : 112 + k - 36;
        EXPECT_EQ(HotKeyDefinition(code)->vk, vk) << code;
        EXPECT_EQ(HotKeyDefinition(554 + code % 144)->vk, HotKeyDefinition(code % 48)->vk);
    }
    for (int code = 288; code < 312; ++code) EXPECT_EQ(HotKeyDefinition(code)->vk, 112 + (code - 288) % 12);
    const int paging[] = {33, 34, 37, 39, 38, 40};
    for (int code = 472; code <= 513; ++code) EXPECT_EQ(HotKeyDefinition(code)->vk, paging[(code - 472) / 7]);
    for (int code = 514; code <= 553; ++code) EXPECT_EQ(HotKeyDefinition(code)->vk, 96 + (code - 514) / 4);
    const int plain[] = {45, 46, 36, 35, 33, 34, 37, 39, 38, 40};
    for (int code = 462; code <= 471; ++code) {
        EXPECT_EQ(HotKeyDefinition(code)->vk, plain[code - 462]);
        EXPECT_EQ(HotKeyDefinition(code)->mods, 0);
    }
    const int punct[] = {190, 188, 191, 186, 222, 220, 219, 221, 189, 187, 192};
    for (int code = 364; code <= 429; ++code) EXPECT_EQ(HotKeyDefinition(code)->vk, punct[(code - 364) / 6]);
}

TEST(HotKeyCodes, EveryCodeMapsBackFromItsKey) {
    std::set<std::pair<int, int>> seen;
    for (int code = 0; code <= 720; ++code) {
        const HotKeyDef* d = HotKeyDefinition(code);
        const int back = d->mouse ? HotKeyCodeForMouse(d->mouse, d->mods) : HotKeyCodeForKey(d->vk, d->mods);
        EXPECT_EQ(back, code) << d->name;
        EXPECT_TRUE(seen.insert({d->mouse ? -d->mouse : d->vk, d->mods}).second) << "twice: " << d->name;
    }
    EXPECT_EQ(HotKeyCodeForKey(65, 0), -1);  // a plain letter is no hot key
    EXPECT_EQ(HotKeyCodeForKey(13, 0), -1);  // nor plain Enter
    EXPECT_EQ(HotKeyCodeForMouse(1, kModWin), -1);
    EXPECT_EQ(HotKeyCodeForMouse(3, kModShift | kModAlt), 719);
}

}  // namespace
}  // namespace tessaro::hook
