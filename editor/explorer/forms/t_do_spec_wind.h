#pragma once
// "Set Title" / "Set Program": the window title or program a macro is scoped to, and the
// installed-program picker it opens.
#include <QDialog>
#include <string>

#include "editor/model/macro_forms/installed_programs.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace win {
class Desktop;
}

namespace tessaro {

// "List of Installed Programs".
class TDoAllProgs : public QDialog {
    Q_OBJECT
public:
    TDoAllProgs(InstalledPrograms& programs, QWidget* parent = nullptr);

    QTreeWidget* ProgBox;
    QPushButton *OkButton, *CancelButton;

    std::string ChosenProgram;  // the executable's base name (UTF-8)
    bool Chosen = false;

    void OkButtonClick();
};

class TDoSpecWind : public QDialog {
    Q_OBJECT
public:
    // in: scopeText, onTop, windowMode; out: scopeText (empty when cancelled), onTop.
    TDoSpecWind(win::Desktop& desktop, InstalledPrograms& programs, std::string scopeText, bool onTop,
                bool windowMode, QWidget* parent = nullptr);

    QLineEdit* TitleBox;
    QRadioButton *OnTopOption, *RunningOption;
    QListWidget* ProgList;
    QPushButton *ListProgs, *OkButton, *CancelButton, *HelpButton;

    std::string ScopeText;  // Windows-1252
    bool OnTop = false;

    void OkButtonClick();
    void ListProgsClick();

private:
    InstalledPrograms& programs_;
    bool windowMode_;
};

}  // namespace tessaro
