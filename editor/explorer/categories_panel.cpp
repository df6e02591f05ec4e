#include "editor/explorer/categories_panel.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "editor/explorer/category_file.h"
#include "editor/explorer/category_list.h"
#include "editor/explorer/explorer_core.h"
#include "editor/explorer/main_win_widgets.h"
#include "editor/explorer/tools/small_dialogs.h"
#include "editor/model/explorer/explorer.h"
#include "foundation/config_record.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "platform/paths.h"

namespace tessaro {

namespace {

constexpr int kCategoryMinWidth = 120;  // the narrowest the Appearance dialog takes
constexpr const char* kNoCategorySelected = "No category has been selected.";

int CategoryOf(const QListWidgetItem* item) { return item ? item->data(Qt::UserRole).toInt() : 0; }

}  // namespace

CategoriesPanel::CategoriesPanel(QWidget& owner, TConfigRecord& config, TMainWinCore& core,
                                 Explorer& explorer, ExplorerWindow& window)
    : owner_(owner), config_(config), core_(core), explorer_(explorer), window_(window) {}

QWidget* CategoriesPanel::Build(QWidget* parent, MainWinWidgets& widgets,
                                std::function<void(ExplorerAction)> run) {
    panel_ = new QWidget(parent);
    auto* column = new QVBoxLayout(panel_);
    column->setContentsMargins(0, 0, 0, 0);
    auto* categories = new CategoryListBox(panel_);
    QObject::connect(categories, &CategoryListBox::ChosenByKey, panel_, [this] { CatListClick(); });
    list_ = categories;
    list_->setObjectName("CatList");
    QObject::connect(list_, &QListWidget::itemClicked, panel_, [this] { CatListClick(); });
    column->addWidget(list_, 1);
    // "New" above "Rename", "Remove" beside them: each caption whole in a narrow panel.
    auto* buttons = new QGridLayout;
    struct CategoryButton {
        ExplorerAction action;
        const char* caption;
        int row, column;
    };
    constexpr CategoryButton categoryButtons[] = {
        {ExplorerAction::NewCategory, "New", 0, 0},
        {ExplorerAction::RenameCategory, "Rename", 1, 0},
        {ExplorerAction::RemoveCategory, "Remove", 0, 1},
    };
    for (const CategoryButton& c : categoryButtons) {
        auto* b = new QPushButton(c.caption, panel_);
        QObject::connect(b, &QPushButton::clicked, panel_, [run, a = c.action] { run(a); });
        widgets.commands[c.action].large = b;
        buttons->addWidget(b, c.row, c.column);
    }
    column->addLayout(buttons);
    return panel_;
}

void CategoriesPanel::Load() {
    file_ = CompanionFileName(config_.RecentFiles[0].str(), "QTC");
    std::vector<TCategory> categories;
    if (!std::filesystem::exists(file_))
        SaveCategoryFile(file_, categories);
    else
        categories = LoadCategoryFile(file_);
    list_->clear();
    list_->addItem(" *All Categories* ");
    list_->item(0)->setData(Qt::UserRole, 0);
    maxCategoryId_ = 1;
    for (const TCategory& c : categories) {
        maxCategoryId_ = std::max(maxCategoryId_, c.id);
        auto* item = new QListWidgetItem(QString::fromStdString(win::Cp1252ToUtf8(c.name)));
        item->setData(Qt::UserRole, c.id);
        list_->addItem(item);
    }
    if (explorer_.currentCategory() != 0) explorer_.SetCategory(0);
    list_->setCurrentRow(0);
}

void CategoriesPanel::ShowAsStored(int workAreaWidth) {
    if (config_.ShowCategory) {
        // Half the work area at most: the list needs the rest.
        const int most = std::max(kCategoryMinWidth, workAreaWidth / 2);
        panel_->setFixedWidth(std::clamp(config_.CategoryWidth, kCategoryMinWidth, most));
        panel_->show();
    } else {
        panel_->hide();
    }
}

void CategoriesPanel::ApplyAppearance(bool categoriesWereShown) {
    panel_->setEnabled(config_.ShowCategory);
    panel_->setVisible(config_.ShowCategory);
    if (config_.ShowCategory) {
        panel_->setFixedWidth(config_.CategoryWidth);
    } else {
        for (int i = 0; i < list_->count(); ++i)
            if (list_->item(i)->data(Qt::UserRole).toInt() == 0) {
                list_->setCurrentRow(i);
                break;
            }
        if (categoriesWereShown) explorer_.SetCategory(0);
    }
}

bool CategoriesPanel::SaveCategories() {
    std::vector<TCategory> categories;
    for (int i = 0; i < list_->count(); ++i)
        if (const int id = CategoryOf(list_->item(i)); id != 0)
            categories.push_back({win::FromQt(list_->item(i)->text()), id});
    // A file that cannot be written is left as it was; the user is told the change is not
    // kept, and the caller puts the list back as the file still has it.
    std::string why;
    if (SaveCategoryFile(file_, categories, &why)) return true;
    win::MessageBox(
        "The categories could not be saved.  The file " + file_ + " could not be written: " + why + ".",
        "Error");
    return false;
}

void CategoriesPanel::NewCategory() {
    TDoCategory dialog(&owner_);
    if (dialog.exec() != QDialog::Accepted || dialog.Name.empty()) return;
    auto* item = new QListWidgetItem(QString::fromStdString(win::Cp1252ToUtf8(dialog.Name)));
    item->setData(Qt::UserRole, ++maxCategoryId_);
    list_->addItem(item);
    if (SaveCategories()) return;
    delete list_->takeItem(list_->row(item));
    --maxCategoryId_;
}

void CategoriesPanel::RenameCategory() {
    QListWidgetItem* item = list_->currentItem();
    if (!item) return void(win::MessageBox(kNoCategorySelected, "Error"));
    if (CategoryOf(item) == 0)
        return void(win::MessageBox("Cannot rename the \"All Categories\" category.", "Error"));
    TDoCategory dialog(&owner_, win::FromQt(item->text()));
    dialog.exec();
    const QString before = item->text();
    item->setText(QString::fromStdString(win::Cp1252ToUtf8(dialog.Name)));
    if (!SaveCategories()) item->setText(before);
}

void CategoriesPanel::RemoveCategory() {
    const int row = list_->currentRow();
    QListWidgetItem* item = list_->currentItem();
    if (!item) return void(win::MessageBox(kNoCategorySelected, "Error"));
    if (CategoryOf(item) == 0)
        return void(win::MessageBox("Cannot remove the \"All Categories\" category.", "Error"));
    if (win::MessageBox("Are you sure you want to delete the \"" + win::FromQt(item->text()) + "\" category?",
                        "Remove Category", win::MbButtons::YesNo) != win::MbResult::Yes)
        return;
    std::unique_ptr<QListWidgetItem> removed(list_->takeItem(row));
    if (list_->count() > 0) list_->setCurrentRow(std::min(row, list_->count() - 1));
    if (SaveCategories()) return;
    list_->insertItem(row, removed.release());
    list_->setCurrentRow(row);
}

void CategoriesPanel::CatListClick() {
    explorer_.SetCategory(CategoryOf(list_->currentItem()));
    ButtonsForList(explorer_, window_);
}

void CategoriesPanel::AddSelectedMacro() {
    if (explorer_.listEmpty())
        return void(win::MessageBox("No hot keys have been added yet.  Please add one first.", "Error"));
    const int n = explorer_.SelectedMacro();
    if (n == 0) return void(win::MessageBox("No hot key selected.  Please select one.", "Error"));
    if (list_->count() <= 1) return void(win::MessageBox("No categories have been created yet.", "Error"));
    if (explorer_.FileInUse()) return;
    std::vector<std::string> names;
    for (int i = 0; i < list_->count(); ++i)
        if (CategoryOf(list_->item(i)) != 0) names.push_back(win::FromQt(list_->item(i)->text()));
    TChooseCategory dialog(&owner_, names);
    dialog.exec();
    for (int i = 0; i < list_->count() && !dialog.Chosen.empty(); ++i) {
        QListWidgetItem* item = list_->item(i);
        if (CategoryOf(item) == 0 || win::FromQt(item->text()) != dialog.Chosen) continue;
        explorer_.file().ReadMacroRecord(n, core_.CurrentMacro);
        core_.CurrentMacro.CategoryId = CategoryOf(item);
        explorer_.file().SaveMacroRecord(n, core_.CurrentMacro, true);
        explorer_.ReleaseSyncFile(1);
        if (explorer_.currentCategory() != 0) explorer_.FillList();
        return;
    }
    explorer_.ReleaseSyncFile(0);
}

void CategoriesPanel::CatListDragDrop(QListWidgetItem* category) {
    const int n = explorer_.SelectedMacro();
    if (n == 0 || explorer_.FileInUse()) return;
    explorer_.file().ReadMacroRecord(n, core_.CurrentMacro);
    core_.CurrentMacro.CategoryId = CategoryOf(category);  // " *All Categories* " takes it out
    const bool saved = explorer_.file().SaveMacroRecord(n, core_.CurrentMacro, true);
    if (saved && !config_.SoundOff) DoWave(win::ProgramDirectory() + "/FLOOP.WAV");
    explorer_.ReleaseSyncFile(saved ? 1 : 0);
    if (saved && explorer_.currentCategory() != 0) {
        explorer_.FillList();
        ButtonsForList(explorer_, window_);
    }
}

void CategoriesPanel::DoWave(const std::string& path) {
    // A notice, not a result: without sound nothing plays and nothing is reported.
    lastWave_ = win::Cp1252ToUtf8(path);
    wave_.Start(lastWave_);
}

}  // namespace tessaro
