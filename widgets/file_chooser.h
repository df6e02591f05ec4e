#pragma once
// The open and save file dialogs of the programs, through one seam tests can answer.
#include <QString>
#include <string>

class QWidget;

namespace tessaro {

struct FileChoice {
    QString title;
    QString filter;         // "Text File (*.TXT)": matched in any letter case
    QString defaultSuffix;  // added when the name has none
    bool save = false;      // a save dialog asks before it overwrites
    bool mustExist = false;
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file (UTF-8 path), empty when the user cancelled.
    virtual std::string Choose(QWidget* owner, const FileChoice& choice) = 0;
};

// Asks through the installed chooser; the Qt file dialog when none is installed.
std::string ChooseFile(QWidget* owner, const FileChoice& choice);

// Installs a chooser for as long as it lives (tests).
class ScopedFileChooser {
public:
    explicit ScopedFileChooser(FileChooser& chooser);
    ~ScopedFileChooser();
    ScopedFileChooser(const ScopedFileChooser&) = delete;
    ScopedFileChooser& operator=(const ScopedFileChooser&) = delete;

private:
    FileChooser* previous_;
};

}  // namespace tessaro
