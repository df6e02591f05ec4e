#pragma once
// The macro list's looks and order: columns, fonts and icons, the category panel and the
// kind of buttons as the settings say, the appearance dialog, and the sort order.
#include "editor/explorer/tools/appearance_dialog.h"
#include "editor/explorer/tools/sort_order_dialog.h"

class QWidget;

namespace tessaro {

class CategoriesPanel;
class Explorer;
class ExplorerWindow;
class TMainWinCore;
struct MainWinWidgets;

class ListAppearance final : public AppearanceHost, public ListOrderHost {
public:
    ListAppearance(QWidget& window, TConfigRecord& config, TMainWinCore& core, Explorer& explorer,
                   ExplorerWindow& list, MainWinWidgets& widgets, CategoriesPanel& categories);

    // The grid and the category panel as stored, when the window shows.
    void ShowAsStored(int workAreaWidth);
    void MenuAppearanceClick();
    void ApplyAppearance(bool categoriesWereShown) override;
    void MenuSortClick();
    // The sort order, the selected macro kept.
    void SpeedSortClick();
    void ResortKeepingCurrent() override;

private:
    void AdjustGridSpacing();

    QWidget& window_;
    TConfigRecord& config_;
    TMainWinCore& core_;
    Explorer& explorer_;
    ExplorerWindow& list_;
    MainWinWidgets& widgets_;
    CategoriesPanel& categories_;
};

}  // namespace tessaro
