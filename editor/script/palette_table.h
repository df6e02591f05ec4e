#pragma once
// The scripting wizard's palette: 36 buttons on four pages, each adding one command line
// at the end of the script, and the Alt+letter keys of the page that is showing.
#include <span>

namespace tessaro {

enum class PalettePage { TextMouse = 0, SystemWindows = 1, ProgramsFiles = 2, MacroControl = 3 };
inline constexpr int kPalettePageCount = 4;

struct PaletteButton {
    PalettePage page;
    const char* name;    // the button's object name
    const char* label;   // the label beside it, with its accelerator
    char key;            // the accelerator letter, upper case
    int code;            // the command a new line of it starts from
    bool allowTextEdit;  // "Load Text File" only: the palette never offers the edit as lines
};

std::span<const PaletteButton> PaletteButtons();

// The page captions, in page order.
const char* PaletteCaption(PalettePage page);

// The button of `page` whose accelerator is `letter` (any case); nullptr for the letters of
// other pages and everything else.
const PaletteButton* PaletteKeyButton(PalettePage page, char letter);

}  // namespace tessaro
