#include "editor/explorer/macro_list_input.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cctype>
#include <utility>

#include "editor/explorer/forms_services.h"
#include "editor/explorer/main_win_widgets.h"
#include "editor/model/explorer/explorer.h"
#include "foundation/config_record.h"
#include "foundation/settings.h"
#include "platform/cp1252.h"
#include "protocol/window_messages.h"
#include "widgets/draw_grid.h"
#include "widgets/page_control.h"

namespace tessaro {

MacroListInput::MacroListInput(TConfigRecord& config, Explorer& explorer, ExplorerWindow& list,
                               MainWinWidgets& widgets, HookPlayerLink& link, FormsServices& forms)
    : config_(config), explorer_(explorer), list_(list), widgets_(widgets), link_(link), forms_(forms) {}

void MacroListInput::Wire() {
    widgets_.grid->OnClick = [this](TMyDrawGrid*) { MyGridClick(); };
    widgets_.grid->OnDblClick = [this](TMyDrawGrid*) { MyGridDblClick(); };
    widgets_.grid->OnColumnSized = [this](TMyDrawGrid*, int col, int width) {
        MyGridColumnSized(col, width);
    };
    gridViewport_ = widgets_.grid->viewport();
    titleViewport_ = widgets_.grid->horizontalHeader()->viewport();
    gridViewport_->installEventFilter(this);
    titleViewport_->installEventFilter(this);
    widgets_.grid->installEventFilter(this);
    widgets_.pages->OnChange = [this](TAPageControl* pages) { MyPageChange(pages->currentIndex()); };
}

bool MacroListInput::eventFilter(QObject* watched, QEvent* event) {
    // Compared only: the list may be half gone while the window closes.
    const bool title = watched == titleViewport_;
    if (watched == gridViewport_ || title) {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        int row = -1;
        int col = -1;
        if (title) {
            row = 0;
            col = widgets_.grid->horizontalHeader()->logicalIndexAt(at);
        } else if (const QModelIndex cell = widgets_.grid->indexAt(at); cell.isValid()) {
            row = cell.row() + widgets_.grid->FixedRows();
            col = cell.column();
        }
        return type == QEvent::MouseButtonPress ? MyGridMouseDown(mouse, row)
                                                : MyGridMouseUp(mouse, row, col);
    }
    if (watched == widgets_.grid) {
        switch (event->type()) {
            case QEvent::KeyPress: return MyGridKeyPress(static_cast<QKeyEvent*>(event));
            case QEvent::FocusIn:
            case QEvent::FocusOut: searchText_.clear(); return false;
            default: return false;
        }
    }
    return QObject::eventFilter(watched, event);
}

void MacroListInput::MyGridClick() {
    if (explorer_.listEmpty()) return;
    explorer_.GridClick();
}

void MacroListInput::MyGridDblClick() {
    if (explorer_.listEmpty()) return;
    forms_.DoTheScript();
}

bool MacroListInput::MyGridMouseDown(QMouseEvent* event, int row) {
    if (explorer_.listEmpty() || event->button() != Qt::RightButton) return false;
    rightDown_ = true;
    rightRow_ = row;
    return false;
}

bool MacroListInput::MyGridMouseUp(QMouseEvent* event, int row, int col) {
    if (event->button() != Qt::RightButton) return false;
    const bool sameRow = std::exchange(rightDown_, false) && row == rightRow_ && row >= 0;
    if (!sameRow || explorer_.listEmpty()) return false;
    if (row == 0)
        explorer_.SortByHeader(col);
    else
        explorer_.DoInfo(row);
    return true;
}

bool MacroListInput::MyGridKeyPress(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_End:
        case Qt::Key_Home:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape: searchText_.clear(); return false;
        case Qt::Key_Backspace:
            if (searchText_.empty()) return true;
            searchText_.pop_back();
            explorer_.SearchIt(searchText_);
            return true;
        default: break;
    }
    // Underlined letters and shortcuts are the window's.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString typed = event->text();
    if (typed.size() != 1 || !typed.front().isPrint()) return false;
    for (char c : win::Utf8ToCp1252(typed.toStdString()))
        searchText_ += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    explorer_.SearchIt(searchText_);
    return true;
}

void MacroListInput::MyGridColumnSized(int col, int width) {
    std::int32_t* const widths[] = {&config_.Col1Width, &config_.Col2Width, &config_.Col3Width};
    if (col < 2 || col > 4) return;
    *widths[col - 2] = width;
    SaveMainWindowSettings(config_);
    link_.Notify(puSettingsMainWindow, 0);
}

void MacroListInput::MyPageChange(int page) {
    using A = ExplorerAction;
    const bool macros = page == 0;
    for (A a : {A::Appearance, A::CopyMacro, A::ScriptingEditor, A::ModifyDirectly, A::Recapture,
                A::ChangeActivation, A::ActivateMacro, A::RemoveMacro, A::PlaceOnDesktop, A::QuickInfo,
                A::ImportMacros, A::ExportMacros, A::SortMacros})
        widgets_.commands[a].menu->setEnabled(macros);
    // Back on the list, the commands follow its selected macro again.
    if (macros) ButtonsForList(explorer_, list_);
}

}  // namespace tessaro
