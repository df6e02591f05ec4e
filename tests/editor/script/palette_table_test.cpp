#include "editor/script/palette_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>

namespace tessaro {
namespace {

TEST(PaletteTable, EachButtonsKeyIsItsLabelsAcceleratorAndUniqueOnItsPage) {
    std::set<std::pair<int, char>> keys;
    std::set<std::string> names;
    int perPage[kPalettePageCount] = {};
    for (const PaletteButton& b : PaletteButtons()) {
        SCOPED_TRACE(b.name);
        const char* amp = std::strchr(b.label, '&');
        ASSERT_NE(amp, nullptr);
        EXPECT_EQ(std::toupper(static_cast<unsigned char>(amp[1])), b.key);
        EXPECT_TRUE(keys.insert({static_cast<int>(b.page), b.key}).second);
        EXPECT_TRUE(names.insert(b.name).second);
        EXPECT_EQ(PaletteKeyButton(b.page, static_cast<char>(std::tolower(b.key))), &b);
        ++perPage[static_cast<int>(b.page)];
    }
    EXPECT_EQ(names.size(), 36u);
    EXPECT_EQ(perPage[0], 9);
    EXPECT_EQ(perPage[1], 11);
    EXPECT_EQ(perPage[2], 8);
    EXPECT_EQ(perPage[3], 8);
}

TEST(PaletteTable, TheSameLetterRunsWhatThePageShowing) {
    struct Case {
        PalettePage page;
        char key;
        int code;  // 0: nothing runs
    };
    const Case cases[] = {
        {PalettePage::TextMouse, 'D', 2},      {PalettePage::SystemWindows, 'D', 94},
        {PalettePage::ProgramsFiles, 'D', 46}, {PalettePage::MacroControl, 'd', 4},
        {PalettePage::TextMouse, 'B', 0},  // the text box is on the macro page
        {PalettePage::MacroControl, 'E', 0},   {PalettePage::ProgramsFiles, 'E', 112},
        {PalettePage::SystemWindows, 'Z', 16}, {PalettePage::TextMouse, 'Z', 0},
        {PalettePage::TextMouse, '1', 0},      {PalettePage::MacroControl, 'T', 0},
    };
    for (const Case& c : cases) {
        const PaletteButton* b = PaletteKeyButton(c.page, c.key);
        EXPECT_EQ(b ? b->code : 0, c.code) << static_cast<int>(c.page) << c.key;
    }
}

TEST(PaletteTable, OnlyTheTextFileButtonWithholdsTheEditAsLines) {
    for (const PaletteButton& b : PaletteButtons()) EXPECT_EQ(b.allowTextEdit, b.code != 15) << b.name;
    EXPECT_STREQ(PaletteCaption(PalettePage::MacroControl), "&Macro Control");
}

}  // namespace
}  // namespace tessaro
