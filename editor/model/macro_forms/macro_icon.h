#pragma once
// A macro's own icon: chosen from an .ICO file, copied into ProgramDir/Icons under an 8.3
// name (the record keeps 12 characters), drawn 16 x 16.
#include <QImage>
#include <optional>
#include <string>

namespace tessaro {

inline constexpr const char* kInvalidIconType = "Invalid file type selected.";
inline constexpr const char* kIconNameTaken =
    "The selected icon could not be opened.  An icon of this name already exists in the default icon "
    "folder.  It will be opened instead.";
inline constexpr const char* kIconNotOpened = "Icon could not be opened.";
inline constexpr const char* kResetIconQuestion = "Reset icon to program default?";

// The icon drawn into a 16 x 16 glyph; nothing when the file is not a readable icon.
std::optional<QImage> LoadIconGlyph(const std::string& path);

// The file name when it is an 8.3 name, in its own case; empty when it is not (a longer
// base or extension, several dots, blanks or characters 8.3 names may not hold).
std::string ShortName83(const std::string& fileName);

struct IconChoice {
    bool ok = false;
    std::string iconName;  // when ok: the 8.3 name in the Icons folder
    std::string path;      // when ok: the file to draw
    std::string warning;   // kIconNameTaken when an existing icon is used instead
    std::string error;     // kInvalidIconType or kIconNotOpened when not ok
};

// An icon already in `iconsDir` is used as it is, under its own name when the record holds
// it. Another is copied there without overwriting: an 8.3 name is kept as it is; a longer
// one gets a free 8.3 name made of its own letters (or the one already holding the same
// bytes). A file that is not a readable icon is not copied.
IconChoice ChooseIconFile(const std::string& chosenPath, const std::string& iconsDir);

// The folder the icon chooser opens in: the Icons folder of `programDir`, made when it is
// missing (the chosen icon goes there anyway); the program directory, or nothing (the
// chooser's own default), when it cannot be made. Never a path that is not a folder, which
// the chooser would take for a file name.
std::string IconChooserFolder(const std::string& programDir);

}  // namespace tessaro
