#pragma once
// "Load Text from a Text File": the "<TFILE:" command naming a text file whose text the
// macro types, with the file opened in the desktop's editor or in the script editor.
#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace tessaro {

class TDoTextInsert : public QDialog {
    Q_OBJECT
public:
    TDoTextInsert(QWidget* owner, bool allowEdit, const std::string& presetPath);

    QLineEdit* ProgPath;
    QPushButton* EditScript;  // "Edit In &Scripting Editor", only with AllowEdit

    std::string CommandText;  // "<TFILE:" + path + ">"; empty when cancelled
    std::string ChosenPath;
    bool EditInScript = false;  // closed to edit the file as script lines (ChosenPath)

    void OkButtonClick();
    void EditTextClick();
    void EditScriptClick();
    void BrowseButtonClick();

private:
    // The trimmed path when it names an existing file, else empty.
    std::string ExistingPath() const;
};

}  // namespace tessaro
