#pragma once
// The icon button of the macro editors: left click loads an icon file, right click asks to
// go back to the program's own icon.
#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "editor/model/macro_forms/macro_icon.h"

class QToolButton;

namespace tessaro {

// Takes the chosen file into ProgramDir/Icons, showing the boxes of the choice; the choice
// when an icon was taken.
std::optional<IconChoice> TakeIconFile(const std::string& chosenPath, const std::string& programDir);

// Wires the button: a left click opens "Load in Icon" in ProgramDir/Icons and hands the
// chosen path to `chosen`; a right click confirmed by "Reset icon to program default?" calls
// `reset`.
void WireIconButton(QToolButton& button, const std::string& programDir,
                    std::function<void(std::string)> chosen, std::function<void()> reset);

}  // namespace tessaro
