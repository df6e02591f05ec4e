#include "hook/x11/keyboard_text.h"

#include <gtest/gtest.h>

namespace tessaro::hook {
namespace {

TEST(KeyboardText, PlainKeysTypeTheirWindows1252Byte) {
    DeadKeyComposer c;
    EXPECT_EQ(c.Feed('a'), 'a');
    EXPECT_EQ(c.Feed(0xe9), 0xe9);    // eacute on a French layout
    EXPECT_EQ(c.Feed(0x20ac), 0x80);  // EuroSign, AltGr+E
    EXPECT_EQ(c.Feed(0xff08), 8);     // BackSpace
    EXPECT_EQ(c.Feed(0xff0d), 13);    // Return
    EXPECT_EQ(c.Feed(0xffb5), '5');   // KP_5
    EXPECT_EQ(c.Feed(0xff51), 0);     // Left types nothing
    EXPECT_EQ(c.Feed(0x1000430), 0);  // Cyrillic a has no byte
}

TEST(KeyboardText, DeadKeysComposeWithTheNextKey) {
    DeadKeyComposer c;
    EXPECT_EQ(c.Feed(0xfe51), 0);  // dead_acute
    EXPECT_EQ(c.Feed('e'), 0xe9);
    EXPECT_EQ(c.Feed('e'), 'e');   // used up
    EXPECT_EQ(c.Feed(0xfe57), 0);  // dead_diaeresis
    EXPECT_EQ(c.Feed('U'), 0xdc);
    EXPECT_EQ(c.Feed(0xfe52), 0);  // dead_circumflex on a letter without one
    EXPECT_EQ(c.Feed('q'), 'q');
    c.Feed(0xfe50);
    c.Reset();  // a click drops the pending accent
    EXPECT_EQ(c.Feed('a'), 'a');
}

}  // namespace
}  // namespace tessaro::hook
