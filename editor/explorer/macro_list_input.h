#pragma once
// The macro list's mouse and keys (row clicks, the title row's sort, the incremental search,
// column sizing) and the switch between the macro page and the wizard page.
#include <QObject>
#include <string>

class QKeyEvent;
class QMouseEvent;

namespace tessaro {

class Explorer;
class ExplorerWindow;
class FormsServices;
class HookPlayerLink;
struct MainWinWidgets;
struct TConfigRecord;

class MacroListInput final : public QObject {
    Q_OBJECT
public:
    MacroListInput(TConfigRecord& config, Explorer& explorer, ExplorerWindow& list, MainWinWidgets& widgets,
                   HookPlayerLink& link, FormsServices& forms);

    // Takes the grid's and the pages' events, once they are built.
    void Wire();
    // The incremental search text (upper case).
    const std::string& SearchText() const { return searchText_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MyGridClick();
    void MyGridDblClick();
    bool MyGridMouseDown(QMouseEvent* event, int row);
    bool MyGridMouseUp(QMouseEvent* event, int row, int col);
    bool MyGridKeyPress(QKeyEvent* event);
    void MyGridColumnSized(int col, int width);
    void MyPageChange(int page);

    TConfigRecord& config_;
    Explorer& explorer_;
    ExplorerWindow& list_;
    MainWinWidgets& widgets_;
    HookPlayerLink& link_;
    FormsServices& forms_;
    std::string searchText_;
    QObject* gridViewport_ = nullptr;
    QObject* titleViewport_ = nullptr;
    bool rightDown_ = false;
    int rightRow_ = -1;
};

}  // namespace tessaro
