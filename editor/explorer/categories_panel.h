#pragma once
// The category panel beside the macro list: its list and buttons, the category file of the
// open macro file, "Add &To Category" and a macro row dropped onto a category.
#include <QString>
#include <functional>
#include <string>

#include "editor/explorer/explorer_actions.h"
#include "editor/explorer/tools/macro_row_drag.h"
#include "platform/sound.h"

class QListWidget;
class QListWidgetItem;
class QWidget;

namespace tessaro {

class Explorer;
class ExplorerWindow;
class TMainWinCore;
struct MainWinWidgets;
struct TConfigRecord;

class CategoriesPanel final : public CategoryDropHost {
public:
    CategoriesPanel(QWidget& owner, TConfigRecord& config, TMainWinCore& core, Explorer& explorer,
                    ExplorerWindow& window);

    // The list and its buttons under `parent`; the buttons run their commands through `run`.
    QWidget* Build(QWidget* parent, MainWinWidgets& widgets, std::function<void(ExplorerAction)> run);
    // The category file of RecentFiles[0], made empty when missing, into the list.
    void Load();
    // Shown at the stored width (half the work area at most) or hidden, as the settings say.
    void ShowAsStored(int workAreaWidth);
    // The settings changed in the appearance dialog; a hidden panel shows every category.
    void ApplyAppearance(bool categoriesWereShown);

    void NewCategory();
    void RenameCategory();
    void RemoveCategory();
    // "Add &To Category": the selected macro into a chosen category.
    void AddSelectedMacro();
    void CatListDragDrop(QListWidgetItem* category) override;

    QWidget* Panel() const { return panel_; }
    QListWidget* List() const { return list_; }
    const std::string& FileName() const { return file_; }
    // The sound file played last; empty when none was.
    QString LastWave() const { return QString::fromStdString(lastWave_); }

private:
    void CatListClick();
    // False when the file could not be written (the user has been told).
    bool SaveCategories();
    // Plays a wave file without waiting; a missing file or no sound device plays nothing.
    void DoWave(const std::string& path);

    QWidget& owner_;
    TConfigRecord& config_;
    TMainWinCore& core_;
    Explorer& explorer_;
    ExplorerWindow& window_;
    std::string file_;
    int maxCategoryId_ = 1;  // numbers are not reused while the editor runs
    QWidget* panel_ = nullptr;
    QListWidget* list_ = nullptr;
    win::SoundService wave_;
    std::string lastWave_;
};

}  // namespace tessaro
