#pragma once
// What every macro form does the same way: centring, the texts between the system's
// Windows-1252 strings and Qt, and the message boxes.
#include <QString>
#include <functional>
#include <string>
#include <string_view>

#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "widgets/kept_text.h"
#include "widgets/screen_fit.h"

class QLineEdit;
class QPushButton;
class QWidget;

namespace tessaro::forms {

// left = (screen width - form width) / 2, top likewise.
using tessaro::CentreOnScreen;
// Centres the form on the screen every time it is shown (not over its owner).
void CentreWhenShown(QWidget& form);

// The form's height for a client height given in the form's own terms, but never less
// than its controls need: the hidden ones no longer count.
void FitClientHeight(QWidget& form, int clientHeight);

using tessaro::LimitTyping;
using tessaro::TypingLimit;

// "&Help": opens the help topic that `keyword` names at the time of the click.
QPushButton* NewHelpButton(QWidget& form, std::function<std::string()> keyword);

void ErrorBox(const std::string& text);
void WarningBox(const std::string& text);
bool AskYesNo(const std::string& text, const std::string& caption);

// The window id other programs post to (the hook library's hot-key reports).
std::uint32_t NativeId(QWidget& form);

}  // namespace tessaro::forms
