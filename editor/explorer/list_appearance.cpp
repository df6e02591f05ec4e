#include "editor/explorer/list_appearance.h"

#include <QAction>
#include <QFontMetrics>
#include <QToolBar>
#include <array>

#include "editor/explorer/categories_panel.h"
#include "editor/explorer/explorer_core.h"
#include "editor/explorer/fonts.h"
#include "editor/explorer/main_win_widgets.h"
#include "editor/model/explorer/explorer.h"
#include "editor/model/explorer/macro_list.h"
#include "widgets/draw_grid.h"

namespace tessaro {

ListAppearance::ListAppearance(QWidget& window, TConfigRecord& config, TMainWinCore& core, Explorer& explorer,
                               ExplorerWindow& list, MainWinWidgets& widgets, CategoriesPanel& categories)
    : window_(window),
      config_(config),
      core_(core),
      explorer_(explorer),
      list_(list),
      widgets_(widgets),
      categories_(categories) {}

void ListAppearance::ShowAsStored(int workAreaWidth) {
    TMyDrawGrid* grid = widgets_.grid;
    grid->SetOptions(goVertLine | goHorzLine | goColSizing | goRowSelect);
    categories_.ShowAsStored(workAreaWidth);
    grid->SetColCount(5);
    const int widths[] = {config_.Col1Width, config_.Col2Width, config_.Col3Width};
    for (int c = 2; c <= 4; ++c) grid->SetColWidths(c, widths[c - 2] > 1 ? widths[c - 2] : 150);
    AdjustGridSpacing();
    grid->SetColWidths(1, config_.ShowIcons ? grid->DefaultRowHeight() : 0);
}

void ListAppearance::AdjustGridSpacing() {
    const QFontMetrics grid(ToQFont(config_.GridFont));
    const QFontMetrics title(ToQFont(config_.GridTitleFont));
    const GridSpacing spacing =
        tessaro::AdjustGridSpacing(grid.boundingRect("ZZYyjkla").height(), grid.horizontalAdvance("9999"),
                                   title.boundingRect("ZZYyjkla").height());
    widgets_.grid->SetDefaultRowHeight(spacing.rowHeight);
    widgets_.grid->SetRowHeights(0, spacing.titleHeight);
    widgets_.grid->SetColWidths(0, spacing.column0Width);
}

void ListAppearance::MenuAppearanceClick() {
    TMyDrawGrid* grid = widgets_.grid;
    const std::array<int, 3> widths{grid->ColWidths(2), grid->ColWidths(3), grid->ColWidths(4)};
    QWidget* panel = categories_.Panel();
    TDoAppear dialog(&window_, config_, widths, panel->isVisible() ? panel->width() : 0, core_.Notices(),
                     *this);
    dialog.exec();
}

void ListAppearance::ApplyAppearance(bool categoriesWereShown) {
    AdjustGridSpacing();
    TMyDrawGrid* grid = widgets_.grid;
    grid->SetColWidths(1, config_.ShowIcons ? grid->DefaultRowHeight() : 0);
    const int widths[] = {config_.Col1Width, config_.Col2Width, config_.Col3Width};
    for (int c = 2; c <= 4; ++c) grid->SetColWidths(c, widths[c - 2]);
    categories_.ApplyAppearance(categoriesWereShown);
    widgets_.commands[ExplorerAction::AddToCategory].menu->setEnabled(config_.ShowCategory);
    widgets_.speedStrip->setVisible(config_.UseSpeed);
    widgets_.speedStrip->setEnabled(config_.UseSpeed);
    widgets_.buttonPanel->setVisible(!config_.UseSpeed);
    widgets_.buttonPanel->setEnabled(!config_.UseSpeed);
    list_.Repaint();
}

void ListAppearance::MenuSortClick() {
    TSortOrder dialog(&window_, config_, core_.Notices(), *this);
    dialog.exec();
}

void ListAppearance::SpeedSortClick() {
    const int current = explorer_.SelectedMacro();
    MenuSortClick();
    if (const int row = explorer_.ReverseSort(current); row != -1) explorer_.SelectRow(row);
    list_.ShowList();
}

void ListAppearance::ResortKeepingCurrent() {
    const int current = explorer_.SelectedMacro();
    explorer_.FillList();
    if (const int row = explorer_.ReverseSort(current); row != -1) explorer_.SelectRow(row);
    list_.ShowList();
}

}  // namespace tessaro
