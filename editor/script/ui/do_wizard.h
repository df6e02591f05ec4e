#pragma once
// "Scripting Wizard": a palette of the script editor whose buttons each add one command
// line at the end of the script, asking after every added line whether to go on.
#include <QDialog>

#include "editor/script/palette_table.h"

class QPushButton;
class QToolButton;

namespace tessaro {

class TAPageControl;
class TDoScripting;

inline constexpr const char* kContinueWizard = "Macro object successfully added.  Continue with wizard?";

class TDoWizard : public QDialog {
    Q_OBJECT
public:
    explicit TDoWizard(TDoScripting& editor);

    TAPageControl* MyPage;
    QPushButton* ExitButton;

    // The button's command editor for a new line at the end; after an added line the
    // question whether to go on (No closes the palette).
    void ButtonClick(const PaletteButton& button);
    QToolButton* ButtonOf(const PaletteButton& button) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TDoScripting& editor_;
};

}  // namespace tessaro
