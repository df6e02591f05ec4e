#include "widgets/file_chooser.h"

#include <QFileDialog>

namespace tessaro {

namespace {

FileChooser* installed = nullptr;

std::string QtChoose(QWidget* owner, const FileChoice& choice) {
    QFileDialog dialog(owner, choice.title);
    dialog.setNameFilter(choice.filter);
    // Filters such as "*.TXT" also match "notes.txt".
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setDefaultSuffix(choice.defaultSuffix);
    dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

std::string ChooseFile(QWidget* owner, const FileChoice& choice) {
    return installed ? installed->Choose(owner, choice) : QtChoose(owner, choice);
}

ScopedFileChooser::ScopedFileChooser(FileChooser& chooser) : previous_(installed) { installed = &chooser; }
ScopedFileChooser::~ScopedFileChooser() { installed = previous_; }

}  // namespace tessaro
