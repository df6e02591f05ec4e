// The explorer's tools and option commands: text import, listing, export and import,
// desktop launchers, quick info, sort order, the remapper and the option dialogs.
#include <QListWidget>
#include <QStandardPaths>
#include <fstream>
#include <memory>

#include "editor/commands/address_dialogs.h"
#include "editor/explorer/category_file.h"
#include "editor/explorer/main_win.h"
#include "editor/explorer/tools/macro_exchange_dialogs.h"
#include "editor/explorer/tools/small_dialogs.h"
#include "editor/explorer/tools/swap_dialogs.h"
#include "editor/explorer/tools/system_keys_dialog.h"
#include "editor/model/explorer/file_menu.h"
#include "editor/model/tools/desktop_launcher.h"
#include "platform/datetime.h"
#include "platform/message_box.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "protocol/window_messages.h"
#include "widgets/file_chooser.h"
#include "widgets/program_icons.h"
#include "platform/regular_file_stream.h"

namespace tessaro {

namespace {

// Imported macros go into the open file through the explorer's file layer.
class FileAppender : public MacroAppender {
public:
    FileAppender(LoadedMacroFile& file, const TGlobData& glob) : file_(file), glob_(glob) {}
    int MacroCount() const override { return glob_.MacroCount; }
    bool AppendMacro(TMacroRecord& rec) override { return file_.AppendMacroRecord(rec, true) != 0; }

private:
    LoadedMacroFile& file_;
    const TGlobData& glob_;
};

}  // namespace

std::vector<TMacroRecord> TMainWin::ShownMacros() {
    std::vector<TMacroRecord> shown;
    for (int n : explorer_.rowMacro()) {
        TMacroRecord rec{};
        if (explorer_.file().ReadMacroRecord(n, rec)) shown.push_back(rec);
    }
    return shown;
}

void TMainWin::MenuImportTextClick() {
    if (explorer_.FileInUse()) return;
    const std::string path =
        win::MessageBox(kTextImportNotice, "Notice", win::MbButtons::OkCancel) == win::MbResult::Ok
            ? ChooseFile(this, {"Open", "Text File (*.TXT)", "TXT", false, true})
            : std::string();
    win::RegularFileStream in(path);
    if (!path.empty() && !in.is_open()) {
        win::MessageBox("Unable to open import file.", "Error");
    } else if (!path.empty()) {
        FileAppender target(explorer_.file(), core_.GlobData);
        ImportTextItems(in, target, win::Now());
        explorer_.FillList();
        explorer_.SetHotKeys();
    }
    // Released as changed even when cancelled.
    explorer_.ReleaseSyncFile(1);
}

void TMainWin::MenuOutputClick() {
    if (explorer_.listEmpty())
        return void(win::MessageBox("No hot keys have been added yet.  Please add one first.", "Error"));
    TDoOutput dialog(this, ShownMacros(), GetSched, config_.RecentFiles[0].str());
    dialog.exec();
}

void TMainWin::MenuExportClick() {
    TMyExport dialog(this, config_.RecentFiles[0].str());
    dialog.exec();
}

void TMainWin::MenuImportClick() {
    if (explorer_.FileInUse()) return;
    std::vector<std::uint16_t> codes;
    for (int n = 1; n <= core_.GlobData.MacroCount; ++n) codes.push_back(core_.GlobData.ActivationCode[n]);
    FileAppender target(explorer_.file(), core_.GlobData);
    TMyImport dialog(this, target, codes);
    dialog.exec();
    explorer_.FillList();
    explorer_.SetHotKeys();
    explorer_.ReleaseSyncFile(1);
    if (dialog.TrayFlag) Post(puTrayMenu, 0);
}

void TMainWin::MenuOnDesktopClick() {
    const int n = explorer_.SelectedMacro();
    if (n == 0) return;
    std::vector<std::string> nicknames;
    for (int m = 1; m <= core_.GlobData.MacroCount; ++m)
        nicknames.emplace_back(config_.MacroNicknames[m].view());
    if (const std::string refused = CheckLauncherNickname(nicknames, std::size_t(n - 1)); !refused.empty()) {
        win::MessageBox(refused, "Error");
        return;
    }
    TMacroRecord rec{};
    if (!explorer_.file().ReadMacroRecord(n, rec)) return;
    const LauncherPicture picture =
        LauncherPictureFor(std::string(rec.IconName.view()), win::ProgramDirectory() + "/Icons",
                           MainIcon().pixmap(48).toImage());
    // The folder the user's desktop settings name (XDG_DESKTOP_DIR), ~/Desktop without any.
    const LauncherPlace place{QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString(),
                              win::ProgramDirectory() + "/Launchers", win::ExecutableDirectory() + "/tesrun"};
    const std::string error = PlaceLauncher(place, std::string(rec.Nickname.view()), picture);
    win::MessageBox(error.empty() ? "DeskTop Icon Added." : error, error.empty() ? "" : "Error");
}

void TMainWin::MenuSortClick() {
    TSortOrder dialog(this, config_, NoticesTo(core_.PlayerWnd), *this);
    dialog.exec();
}

void TMainWin::SpeedSortClick() {
    const int current = explorer_.SelectedMacro();
    MenuSortClick();
    if (const int row = explorer_.ReverseSort(current); row != -1) explorer_.SelectRow(row);
    ShowList();
}

void TMainWin::ResortKeepingCurrent() {
    const int current = explorer_.SelectedMacro();
    explorer_.FillList();
    if (const int row = explorer_.ReverseSort(current); row != -1) explorer_.SelectRow(row);
    ShowList();
}

void TMainWin::MenuRemapClick() {
    if (explorer_.FileInUse()) return;
    TDoSwapKeys dialog(this, SwapFileName(), NoticesTo(core_.PlayerWnd));
    dialog.exec();
    explorer_.ReleaseSyncFile(dialog.Changed ? 1 : 0);
}

bool TMainWin::SystemKeys(int function) {
    TSystemKeys dialog(this, core_.GlobData, explorer_.file(), config_, NoticesTo(core_.PlayerWnd), function);
    dialog.exec();
    return dialog.Changed;
}

void TMainWin::MenuCaptureOptionsClick() {
    TCaptureDefaults dialog(this, config_, NoticesTo(core_.PlayerWnd));
    dialog.exec();
}

void TMainWin::MenuEMailOptionsClick() {
    TMyEmailOptions dialog(this, config_, NoticesTo(core_.PlayerWnd));
    dialog.exec();
}

void TMainWin::MenuNetworkClick() {
    TNetworkConsiderations dialog(this, config_, NoticesTo(core_.PlayerWnd), *this);
    dialog.exec();
}

void TMainWin::SetSyncTimer(bool on, bool restart) {
    if (!on) {
        syncTimer_.stop();
    } else if (restart || !syncTimer_.isActive()) {
        syncTimer_.start();
    }
}

void TMainWin::NetworkModeStarted() { explorer_.NetworkModeChanged(); }

void TMainWin::MenuSettingsClick() {
    TPreference dialog(this, config_, NoticesTo(core_.PlayerWnd));
    dialog.exec();
}

void TMainWin::MenuSnipraOptionsClick() {
    TSnipraOptions dialog(this, config_, NoticesTo(core_.PlayerWnd));
    dialog.exec();
}

void TMainWin::MenuRecipientsClick() {
    TMyAddress dialog(this, config_, *this);
    dialog.exec();
}

// The recipient list could not be written: the user picks another place in the settings.
void TMainWin::EditRecipientPath(QWidget* owner) {
    TPreference dialog(owner, config_, NoticesTo(core_.PlayerWnd));
    dialog.exec();
}

void TMainWin::RecipientListSaved() { NoticesTo(core_.PlayerWnd)(puSettingsMisc, 0); }

void TMainWin::MenuTutorialClick() {
    TUserManual dialog(this, win::ProgramDirectory());
    dialog.exec();
}

void TMainWin::QuickInfo() {
    TQuickInfo dialog(this, core_.CurrentMacro, win::ProgramDirectory(), GetSched(core_.CurrentMacro));
    dialog.exec();
}

namespace {

constexpr const char* kNoCategorySelected = "No category has been selected.";

int CategoryOf(const QListWidgetItem* item) { return item ? item->data(Qt::UserRole).toInt() : 0; }
std::string Name1252(const QListWidgetItem* item) { return win::Utf8ToCp1252(item->text().toStdString()); }

}  // namespace

namespace {

// Writes the list's categories. A file that cannot be written is left as it was and the
// user is told the change is not kept; false then, and the caller puts the list back.
bool StoreCategories(const QListWidget& list, const std::string& file) {
    std::vector<TCategory> categories;
    for (int i = 0; i < list.count(); ++i)
        if (const int id = CategoryOf(list.item(i)); id != 0)
            categories.push_back({Name1252(list.item(i)), id});
    std::string why;
    if (SaveCategoryFile(file, categories, &why)) return true;
    win::MessageBox(
        "The categories could not be saved.  The file " + file + " could not be written: " + why + ".",
        "Error");
    return false;
}

}  // namespace

void TMainWin::SaveCategories() { StoreCategories(*categoryList_, categoryFile_); }

void TMainWin::CatNewClick() {
    TDoCategory dialog(this);
    if (dialog.exec() != QDialog::Accepted || dialog.Name.empty()) return;
    auto* item = new QListWidgetItem(QString::fromStdString(win::Cp1252ToUtf8(dialog.Name)));
    item->setData(Qt::UserRole, ++maxCategoryId_);
    categoryList_->addItem(item);
    if (StoreCategories(*categoryList_, categoryFile_)) return;
    delete categoryList_->takeItem(categoryList_->row(item));
    --maxCategoryId_;
}

void TMainWin::CatRenameClick() {
    QListWidgetItem* item = categoryList_->currentItem();
    if (!item) return void(win::MessageBox(kNoCategorySelected, "Error"));
    if (CategoryOf(item) == 0)
        return void(win::MessageBox("Cannot rename the \"All Categories\" category.", "Error"));
    TDoCategory dialog(this, Name1252(item));
    dialog.exec();
    const QString before = item->text();
    item->setText(QString::fromStdString(win::Cp1252ToUtf8(dialog.Name)));
    if (!StoreCategories(*categoryList_, categoryFile_)) item->setText(before);
}

void TMainWin::CatRemoveClick() {
    const int row = categoryList_->currentRow();
    QListWidgetItem* item = categoryList_->currentItem();
    if (!item) return void(win::MessageBox(kNoCategorySelected, "Error"));
    if (CategoryOf(item) == 0)
        return void(win::MessageBox("Cannot remove the \"All Categories\" category.", "Error"));
    if (win::MessageBox("Are you sure you want to delete the \"" + Name1252(item) + "\" category?",
                        "Remove Category", win::MbButtons::YesNo) != win::MbResult::Yes)
        return;
    std::unique_ptr<QListWidgetItem> removed(categoryList_->takeItem(row));
    if (categoryList_->count() > 0) categoryList_->setCurrentRow(std::min(row, categoryList_->count() - 1));
    if (StoreCategories(*categoryList_, categoryFile_)) return;
    categoryList_->insertItem(row, removed.release());
    categoryList_->setCurrentRow(row);
}

void TMainWin::CatListClick() {
    explorer_.SetCategory(CategoryOf(categoryList_->currentItem()));
    ButtonsForList();
}

void TMainWin::ButtonsForList() {
    // An empty category leaves nothing to act on, as an empty list does.
    SetButtons(true);
    if (!explorer_.listEmpty()) explorer_.CheckTimeItemFor(explorer_.selectedRow());
}

void TMainWin::MenuAddCatClick() {
    if (explorer_.listEmpty())
        return void(win::MessageBox("No hot keys have been added yet.  Please add one first.", "Error"));
    const int n = explorer_.SelectedMacro();
    if (n == 0) return void(win::MessageBox("No hot key selected.  Please select one.", "Error"));
    if (categoryList_->count() <= 1)
        return void(win::MessageBox("No categories have been created yet.", "Error"));
    if (explorer_.FileInUse()) return;
    std::vector<std::string> names;
    for (int i = 0; i < categoryList_->count(); ++i)
        if (CategoryOf(categoryList_->item(i)) != 0) names.push_back(Name1252(categoryList_->item(i)));
    TChooseCategory dialog(this, names);
    dialog.exec();
    for (int i = 0; i < categoryList_->count() && !dialog.Chosen.empty(); ++i) {
        QListWidgetItem* item = categoryList_->item(i);
        if (CategoryOf(item) == 0 || Name1252(item) != dialog.Chosen) continue;
        explorer_.file().ReadMacroRecord(n, core_.CurrentMacro);
        core_.CurrentMacro.CategoryId = CategoryOf(item);
        explorer_.file().SaveMacroRecord(n, core_.CurrentMacro, true);
        explorer_.ReleaseSyncFile(1);
        if (explorer_.currentCategory() != 0) explorer_.FillList();
        return;
    }
    explorer_.ReleaseSyncFile(0);
}

void TMainWin::CatListDragDrop(QListWidgetItem* category) {
    const int n = explorer_.SelectedMacro();
    if (n == 0 || explorer_.FileInUse()) return;
    explorer_.file().ReadMacroRecord(n, core_.CurrentMacro);
    core_.CurrentMacro.CategoryId = CategoryOf(category);  // " *All Categories* " takes it out
    const bool saved = explorer_.file().SaveMacroRecord(n, core_.CurrentMacro, true);
    if (saved && !config_.SoundOff) DoWave(win::ProgramDirectory() + "/FLOOP.WAV");
    explorer_.ReleaseSyncFile(saved ? 1 : 0);
    if (saved && explorer_.currentCategory() != 0) {
        explorer_.FillList();
        ButtonsForList();
    }
}

void TMainWin::DoWave(const std::string& path) {
    // A notice, not a result: without sound nothing plays and nothing is reported.
    lastWave_ = win::Cp1252ToUtf8(path);
    wave_.Start(lastWave_);
}

}  // namespace tessaro
