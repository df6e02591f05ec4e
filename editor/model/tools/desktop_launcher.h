#pragma once
// "Place On Desktop": a desktop-entry launcher that asks the player to run a macro by its
// nickname, in the desktop folder, with the macro's icon.
#include <QImage>
#include <string>
#include <vector>

namespace tessaro {

// The refusal for macro `index` (0-based into `nicknames`, the nickname mirrors of the
// file), empty when it may be placed: it needs a nickname no other macro has exactly.
std::string CheckLauncherNickname(const std::vector<std::string>& nicknames, std::size_t index);

// One argument of an Exec line, quoted by the desktop-entry rules and escaped as a string
// value ("\" ends up as four backslashes, "%" doubled).
std::string QuoteExecArgument(const std::string& utf8);

// The launcher's file name: the nickname in UTF-8 with "/" replaced and a leading dot
// taken away, so it never leaves the folder, plus ".desktop".
std::string LauncherFileName(const std::string& nickname1252);

// The whole desktop entry (UTF-8).
std::string LauncherText(const std::string& nickname1252, const std::string& playerPath,
                         const std::string& iconPath);

struct LauncherPlace {
    std::string DesktopDir;  // the desktop's folder, made when the user has none yet
    std::string IconDir;     // where its picture goes, as PNG
    std::string PlayerPath;  // the player program
};

struct LauncherPicture {
    std::string Name;  // names the PNG; the player's own is "TESRUN"
    QImage Image;
};

// A macro's launcher picture, as the macro list shows it: its icon file in `iconsDir`, or
// `player` (the player's own picture: the launcher starts the player) for "MAIN", "MENU"
// and an icon file that is missing or unreadable.
LauncherPicture LauncherPictureFor(const std::string& iconName, const std::string& iconsDir,
                                   const QImage& player);

// Writes the picture and the launcher (mode 0755, replacing one of that name), creating the
// desktop folder when it is missing. The message for the user on failure.
std::string PlaceLauncher(const LauncherPlace& place, const std::string& nickname1252,
                          const LauncherPicture& picture);

}  // namespace tessaro
