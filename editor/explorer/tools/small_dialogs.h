#pragma once
// Small dialogs of the explorer: one macro's summary, the user-manual notice and the
// category name and choice.
#include <QDialog>
#include <QIcon>
#include <string>
#include <vector>

#include "macro/macro_record.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QToolButton;

namespace tessaro {

// "Quick Info": a read-only summary of one macro.
class TQuickInfo : public QDialog {
    Q_OBJECT
public:
    // `schedule`: the schedule description of a timed macro.
    TQuickInfo(QWidget* owner, const TMacroRecord& macro, const std::string& programDir,
               const std::string& schedule);

    QToolButton* IconButton;
    QLabel* ActivationLabel;
    QLabel* Activation;
    QLabel* NickName;
    QLabel* Scope;
    QLabel* Active;
    QLabel* TextLabel;
    QPlainTextEdit* Memo;
    QLabel* LastModified;
    std::string IconName;  // "MAIN" when the macro's icon file is gone
};

// "User Manual Notice": opens the tutorial document of the program folder.
class TUserManual : public QDialog {
    Q_OBJECT
public:
    TUserManual(QWidget* owner, std::string programDir);
    void OkButtonClick();

private:
    std::string programDir_;
};

// "Category Maintenance": the name of a category.
class TDoCategory : public QDialog {
    Q_OBJECT
public:
    explicit TDoCategory(QWidget* owner, const std::string& preset = {});
    QLineEdit* CatName;
    std::string Name;  // the entered name (Windows-1252); the preset until Ok succeeds
    void OkButtonClick();
};

// "Categories": one of the existing categories.
class TChooseCategory : public QDialog {
    Q_OBJECT
public:
    TChooseCategory(QWidget* owner, const std::vector<std::string>& names);
    QListWidget* CatList;
    std::string Chosen;  // empty unless Ok chose one
    void OkButtonClick();
};

}  // namespace tessaro
