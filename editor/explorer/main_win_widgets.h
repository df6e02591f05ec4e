#pragma once
// The main window's widgets that its roles work on: the window builds them, Qt's parents own
// them, and each command's menu item, large button and speed button are switched together.
#include <map>
#include <vector>

#include "editor/explorer/explorer_actions.h"

class QAbstractButton;
class QAction;
class QToolBar;
class QWidget;

namespace tessaro {

class Explorer;
class ExplorerWindow;
class TAPageControl;
class TMyDrawGrid;

struct CommandWidgets {
    QAction* menu = nullptr;
    QAbstractButton* large = nullptr;
    QAction* speed = nullptr;  // on the speed strip
    void SetEnabled(bool on) const;
};

struct MainWinWidgets {
    std::map<ExplorerAction, CommandWidgets> commands;
    TAPageControl* pages = nullptr;
    TMyDrawGrid* grid = nullptr;
    QToolBar* speedStrip = nullptr;
    QWidget* buttonPanel = nullptr;
    std::vector<QAbstractButton*> wizardButtons;
    std::vector<QAction*> lastFileItems;
    QAction* lastFileSeparator = nullptr;
};

// After the list was filled again: the commands for its selected row, or off when empty.
void ButtonsForList(Explorer& explorer, ExplorerWindow& window);

}  // namespace tessaro
