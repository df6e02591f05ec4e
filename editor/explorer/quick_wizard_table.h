#pragma once
// The quick wizards the main window offers: its 28 buttons with their pictures and its "&Wizards" menu, each
// with the wizard function it opens.
#include <QStyle>
#include <span>

namespace tessaro {

struct QuickWizardButton {
    const char* name;   // object name of the button
    const char* lines;  // caption, its lines separated by "\n"
    int function;
    QStyle::StandardPixmap picture;  // drawn above the caption, in the desktop's style
};

struct QuickWizardItem {
    const char* caption;
    int function;
};

// One submenu of the "&Wizards" menu: wizards of one kind of task.
struct QuickWizardGroup {
    const char* caption;
    std::span<const QuickWizardItem> items;
};

// The function of the first-time set-up, which chains other wizards.
inline constexpr int kFirstTimeWizard = 28;

std::span<const QuickWizardButton> QuickWizardButtons();
std::span<const QuickWizardGroup> QuickWizardMenu();

}  // namespace tessaro
