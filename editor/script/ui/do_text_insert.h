#pragma once
// "Load Text from a Text File": the "<TFILE:" command naming a text file whose text the
// macro types, with the file opened in the desktop's editor or in the script editor.
#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <string>

#include "platform/launch.h"

class QLineEdit;
class QPushButton;
class QTimer;

namespace tessaro {

class TDoTextInsert : public QDialog {
    Q_OBJECT
public:
    TDoTextInsert(QWidget* owner, bool allowEdit, const std::string& presetPath);

    QLineEdit* ProgPath;
    QPushButton* EditScript;  // "Edit In &Scripting Editor", only with AllowEdit

    std::string CommandText;  // "<TFILE:" + path + ">"; empty when cancelled
    std::string ChosenPath;
    // Nothing on this desktop edits text files.
    static constexpr const char* kNoEditor =
        "No program on this computer is set to edit text files.  Unable to open text file.";
    bool EditInScript = false;  // closed to edit the file as script lines (ChosenPath)
    // Whether the file may be edited as lines; false (the reason shown) keeps the dialog open.
    std::function<bool(const std::string&)> MayEditInScript;

    void OkButtonClick();
    void EditTextClick();
    void EditScriptClick();
    void BrowseButtonClick();

private:
    // The trimmed path when it names an existing file, else empty.
    std::string ExistingPath() const;
    // The desktop's opener has said whether some program took the file.
    void OpenerAnswered();

    win::Launcher launcher_;
    pid_t opener_ = 0;
    QTimer* openerWatch_;  // asks for the opener's verdict until it has one
    QElapsedTimer openerAsked_;
};

}  // namespace tessaro
