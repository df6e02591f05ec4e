#include "player/engine/keystate_trace.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

TEST(KeyStateTrace, EachKindHasItsLineAndOthersNone) {
    const struct {
        std::uint32_t kind;
        std::int32_t value;
        const char* line;
    } lines[] = {
        {0, 7, "SET IT - GetKeyState"},
        {1, 7, "SET IT - GetASyncKeyState"},
        {2, 7, "FIRST THING IN HOOK"},
        {3, 7, "WAIT - GetKeyState"},
        {4, 7, "WAIT - GetASyncKeyState"},
        {5, 97, "KeyCode: a  97"},
        {6, 0x141, "WParam: A  321"},  // the character of the low byte
        {7, -1, "Hook Code: -1"},
        {16, -127, "VK_SHIFT: -127"},
        {17, 1, "VK_CONTROL: 1"},
        {18, 0, "VK_MENU: 0"},
        {32, 99, ""},
        {91, 128, "VK_LWIN: 128"},
        {92, 1, "VK_RWIN: 1"},
    };
    for (const auto& l : lines) EXPECT_EQ(KeyStateTraceLine(l.kind, l.value), l.line) << l.kind;
    for (std::uint32_t kind : {8u, 15u, 19u, 31u, 33u, 90u, 93u, 0xFFFFFFFFu})
        EXPECT_EQ(KeyStateTraceLine(kind, 1), std::nullopt) << kind;
}

TEST(KeyStateTrace, AppendsToTheFileAndCreatesItForAnyKind) {
    testing::TempDir dir;
    const std::string file = dir.file("test");
    std::string why;
    ASSERT_TRUE(AppendKeyStateTrace(file, 8, 0, why));  // no line, but the file now exists
    EXPECT_TRUE(testing::ReadBytes(file).empty());
    ASSERT_TRUE(AppendKeyStateTrace(file, 7, 3, why));
    ASSERT_TRUE(AppendKeyStateTrace(file, 32, 0, why));
    ASSERT_TRUE(AppendKeyStateTrace(file, 5, 'x', why));
    const auto bytes = testing::ReadBytes(file);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "Hook Code: 3\r\n\r\nKeyCode: x  120\r\n");
    // A folder in its place is no file to trace into.
    EXPECT_FALSE(AppendKeyStateTrace(dir.path(), 2, 0, why));
    EXPECT_EQ(why, "it is a folder, not a regular file");
}

}  // namespace
}  // namespace tessaro
