// How a keysym is typed from the layout's own keys (levels, groups, locks), and when a
// lent spare keycode may change: pure logic, no X server.
#include "platform/x11/key_levels.h"

#include <gtest/gtest.h>

#include "platform/x11/spare_keys.h"

namespace win::x11 {
namespace {

constexpr unsigned kShift = 0x01, kLock = 0x02, kControl = 0x04, kNumLock = 0x10, kLevel3 = 0x80;
constexpr unsigned long kQ = 'q', kBigQ = 'Q', kAt = '@', kOmega = 0x7d9, kKpEnd = 0xff9c, kKp1 = 0xffb1;
constexpr unsigned long kY = 'y', kZ = 'z', kUe = 0xfc, kSwitch = 0x1008fe01;
constexpr unsigned char kShiftKey = 50, kLevel3Key = 92, kCtrlKey = 37;

// A piece of a German-like layout with a second group, a keypad key and a function key
// whose last level needs Control.
KeyLevels Layout() {
    enum { kOne, kTwo, kFour, kKeypad, kCtrlAlt };
    KeyLevels k;
    k.Reset({{0, {}},
             {kShift, {{kShift, 1}}},
             {kShift | kLevel3, {{kShift, 1}, {kLevel3, 2}, {kShift | kLevel3, 3}}},
             {kShift | kNumLock, {{kNumLock, 1}}},
             {kControl, {{kControl, 1}}}},
            kControl);
    k.SetKey(24, {{kFour, {kQ, kBigQ, kAt, kOmega}}});
    k.SetKey(29, {{kTwo, {kY, 'Y'}}, {kTwo, {kZ, 'Z'}}});
    k.SetKey(52, {{kTwo, {kZ, 'Z'}}, {kTwo, {kY, 'Y'}}});
    k.SetKey(30, {{kTwo, {'u', 'U'}}, {kTwo, {kUe, 0xdc}}});
    k.SetKey(87, {{kKeypad, {kKpEnd, kKp1}}});
    k.SetKey(67, {{kCtrlAlt, {0xffbe, kSwitch}}});
    k.SetKey(kShiftKey, {{kOne, {0xffe1}}});
    k.SetModifierKey(kShiftKey, kShift);
    k.SetKey(kLevel3Key, {{kOne, {0xfe03}}});
    k.SetModifierKey(kLevel3Key, kLevel3);
    k.SetKey(kCtrlKey, {{kOne, {0xffe3}}});
    k.SetModifierKey(kCtrlKey, kControl);
    return k;
}

struct Case {
    const char* what;
    unsigned long sym;
    LevelState state;
    bool typed;
    Stroke stroke;
};

TEST(KeyLevelsPlan, EachKeysymTakesTheCheapestWayTheLayoutOffers) {
    const KeyLevels k = Layout();
    const LevelState none{};
    const LevelState de{1, 1, false, 0, 0};
    const LevelState numLock{0, 0, false, kNumLock, 0};
    const LevelState shiftHeld{0, 0, false, 0, kShift};
    const LevelState groupKeyDown{0, 0, true, 0, 0};
    const Case cases[] = {
        {"plain", kQ, none, true, {24}},
        {"shifted", kBigQ, none, true, {24, -1, kShift}},
        {"AltGr", kAt, none, true, {24, -1, kLevel3}},
        {"Shift and AltGr", kOmega, none, true, {24, -1, kShift | kLevel3}},
        {"AltGr with Shift held: no way but its level", kOmega, shiftHeld, true, {24, -1, kLevel3}},
        {"plain with Shift held cannot be had", kQ, shiftHeld, false, {}},
        {"the first group's y", kY, none, true, {29}},
        {"the second group's y while it is on", kY, de, true, {52}},
        {"the second group's z while it is on", kZ, de, true, {29}},
        {"a key of one group serves every group", kQ, de, true, {24}},
        {"a keysym of the second group only: locked for the key", kUe, none, true, {30, 1}},
        {"and no locking needed while it is on", kUe, de, true, {30}},
        {"no other group while a group key is down", kUe, groupKeyDown, false, {}},
        {"keypad digit without NumLock: locked for the key", kKp1, none, true, {87, -1, 0, kNumLock}},
        {"keypad digit with NumLock", kKp1, numLock, true, {87}},
        {"keypad End with NumLock: Shift cancels it", kKpEnd, numLock, true, {87, -1, kShift}},
        {"a level behind Control is no character", kSwitch, none, false, {}},
        {"a keysym the layout lacks", 0xe9, none, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto stroke = k.Plan(c.sym, c.state);
        ASSERT_EQ(stroke.has_value(), c.typed);
        if (!stroke) continue;
        EXPECT_EQ(stroke->code, c.stroke.code);
        EXPECT_EQ(stroke->group, c.stroke.group);
        EXPECT_EQ(stroke->press, c.stroke.press);
        EXPECT_EQ(stroke->lock, c.stroke.lock);
        EXPECT_EQ(stroke->unlock, c.stroke.unlock);
    }
}

TEST(KeyLevelsPlan, ASpareTypesItsKeysymWhateverIsHeldAndTheLayoutsOwnKeyComesFirst) {
    KeyLevels k = Layout();
    k.SetSpare(200, 0xe9);
    auto stroke = k.Plan(0xe9, {0, 0, false, kLock | kNumLock, kShift | kLevel3});
    ASSERT_TRUE(stroke);
    EXPECT_TRUE(stroke->Plain());
    EXPECT_EQ(stroke->code, 200);
    EXPECT_FALSE(k.Primary(0xe9)) << "a spare is no key of the layout";

    // '@' lent to a spare as well: the AltGr key still types it.
    k.SetSpare(201, kAt);
    stroke = k.Plan(kAt, {});
    ASSERT_TRUE(stroke);
    EXPECT_EQ(stroke->code, 24);
    // With Shift held its level is out of reach: the spare serves.
    stroke = k.Plan(kAt, {0, 0, false, 0, kShift});
    ASSERT_TRUE(stroke);
    EXPECT_EQ(stroke->code, 201);

    k.SetSpare(200, 0);
    EXPECT_FALSE(k.Plan(0xe9, {}));
    EXPECT_TRUE(k.PlacesOf(0xe9).empty());
    EXPECT_TRUE(k.Carries(201, kAt));
    EXPECT_FALSE(k.Carries(24, kAt));
}

using Clock = SpareKeys::Clock;
using namespace std::chrono_literals;

TEST(SpareKeysLending, FreeKeycodesFirstThenTheOneNeededLastOnceRead) {
    SpareKeys spares;
    spares.SetCodes({200, 201});
    const Clock::time_point t0 = Clock::now();
    SpareKeys::Spare* a = spares.Next();
    spares.Lend(*a, 0xe9);
    spares.Used(*a, 7, t0);
    SpareKeys::Spare* b = spares.Next();
    ASSERT_NE(a, b) << "a free keycode comes before a lent one";
    spares.Lend(*b, 0xe8);
    spares.Used(*b, 7, t0 + 10ms);
    EXPECT_EQ(spares.Carrying(0xe9), a);

    // All lent: the least recently used goes, and not before its keys were read.
    spares.Used(*a, 7, t0 + 20ms);
    EXPECT_EQ(spares.Next(), b);
    // With the text ahead known, the one typed again latest goes, or one not typed again.
    EXPECT_EQ(spares.Next({'x', 0xe8, 0xe9, 0xe8}), a);
    EXPECT_EQ(spares.Next({0xe9, 'x'}), b);
    EXPECT_EQ(spares.Next({'x', 'y'}), b) << "neither used again: the least recently used";
    EXPECT_EQ(SpareKeys::FreeAt(*b, SpareKeys::Reading::kSilent), t0 + 10ms + SpareKeys::kReadCap);
    // A reader that answered before is only busy: it is waited for far longer.
    EXPECT_EQ(SpareKeys::FreeAt(*b, SpareKeys::Reading::kAnswers), t0 + 10ms + SpareKeys::kAnsweredCap);
    EXPECT_GE(SpareKeys::kAnsweredCap, std::chrono::seconds(20));
    EXPECT_EQ(SpareKeys::FreeAt(*b, SpareKeys::Reading::kUnknown), t0 + 10ms + SpareKeys::kFreshCap);
    // Another window's answer says nothing of these keys; one asked before them neither.
    spares.Answered(8, t0 + 30ms, t0 + 40ms);
    spares.Answered(7, t0 + 5ms, t0 + 40ms);
    EXPECT_EQ(SpareKeys::FreeAt(*b, SpareKeys::Reading::kAnswers), t0 + 10ms + SpareKeys::kAnsweredCap);
    spares.Answered(7, t0 + 15ms, t0 + 50ms);
    EXPECT_EQ(SpareKeys::FreeAt(*b, SpareKeys::Reading::kAnswers), t0 + 50ms);
    EXPECT_EQ(spares.Next({0xe8, 'x'}, t0 + 40ms), a);
    EXPECT_EQ(spares.Next({0xe8, 'x'}, t0 + 50ms), b) << "one shown read goes first: no question";
    EXPECT_EQ(SpareKeys::FreeAt(*a, SpareKeys::Reading::kSilent), t0 + 20ms + SpareKeys::kReadCap)
        << "used after the question";
    // A key typed after the answer needs an answer of its own.
    spares.Used(*b, 7, t0 + 60ms);
    EXPECT_EQ(SpareKeys::FreeAt(*b, SpareKeys::Reading::kAnswers), t0 + 60ms + SpareKeys::kAnsweredCap);

    // A new layout keeps the lent keycodes it still has.
    spares.SetCodes({201, 202});
    ASSERT_EQ(spares.spares().size(), 2u);
    EXPECT_EQ(spares.Carrying(0xe8)->code, 201);
    EXPECT_FALSE(spares.Carrying(0xe9));
    EXPECT_EQ(spares.Next()->code, 202);
}

}  // namespace
}  // namespace win::x11
