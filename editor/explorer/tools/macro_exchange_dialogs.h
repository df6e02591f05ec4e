#pragma once
// The explorer's dialogs that move macros in and out of the open file: the listing to a
// text file, the export of chosen macros and the import from other files.
#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/model/tools/macro_exchange.h"
#include "editor/model/tools/macro_listing.h"
#include "editor/model/tools/text_import.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace tessaro {

// "Output Macros To File".
class TDoOutput : public QDialog {
    Q_OBJECT
public:
    // `shown`: the macros of the grid in its order.
    TDoOutput(QWidget* owner, std::vector<TMacroRecord> shown,
              std::function<std::string(const TMacroRecord&)> describeSchedule, std::string macroFile);

    QCheckBox* MacroKeys;
    QCheckBox* MacroName;
    QCheckBox* MacroWindow;
    QCheckBox* MacroText;
    QCheckBox* MacroSched;
    QCheckBox* MacroIcon;

    void OkButtonClick();

private:
    void DoIt();

    std::vector<TMacroRecord> shown_;
    std::function<std::string(const TMacroRecord&)> describeSchedule_;
    std::string macroFile_;
};

// "Export Macros".
class TMyExport : public QDialog {
    Q_OBJECT
public:
    TMyExport(QWidget* owner, std::string macroFile);

    QListWidget* ListBox1;

    void SaveFileClick();

private:
    std::string macroFile_;
};

// "Import Macros". The caller holds the file's lock and releases it afterwards.
class TMyImport : public QDialog {
    Q_OBJECT
public:
    TMyImport(QWidget* owner, MacroAppender& target, std::vector<std::uint16_t> existingCodes);

    QListWidget* ListBox1;
    QPushButton* Ok;
    QPushButton* SelectAll;
    QPushButton* Clear;

    bool TrayFlag = false;  // an imported popup menu wants its tray icon
    int Imported = 0;

    void OpenFileClick();
    void OpenFile(const std::string& path);
    void OkClick();

private:
    MacroAppender& target_;
    std::vector<std::uint16_t> existingCodes_;
    ImportSource source_;
};

}  // namespace tessaro
