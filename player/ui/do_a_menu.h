#pragma once
// "Choose A Macro": the popup chooser of popup-menu macros and of the menu of the top
// window. It lists up to 36 macros as icons or as lines with a key each; a double click,
// a button or the item's key chooses, "&Cancel" chooses nothing.
#include <QDialog>
#include <optional>
#include <vector>

#include "player/ui/do_a_menu_layout.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace win {
class Desktop;
}

namespace tessaro {

inline constexpr const char* kChooserCaption = "Choose A Macro";
inline constexpr const char* kChooserHint = "Double Click or Press Number or Letter";

class TDoAMenu : public QDialog {
    Q_OBJECT
public:
    // Items beyond 36 are left out. `iconX`: opened from a popup-menu tray icon there.
    // It takes the focus on `desktop` when shown.
    TDoAMenu(win::Desktop& desktop, const ChooserOptions& options, std::vector<ChooserItem> items,
             std::optional<int> iconX, QWidget* parent = nullptr);

    // The chosen macro number, or -1 when nothing was chosen.
    int Result() const { return result_; }
    const ChooserGeometry& geometryPlan() const { return plan_; }

    void DoIt(int index);
    void ScriptDblClick(int row);
    void Script2DblClick(int row);
    void MySpeedClick(int index);
    void AbortButtonClick();
    // A typed character: digits and letters choose their item, other keys are ignored.
    bool FormKeyPress(char key);

    QTableWidget* Script = nullptr;          // list styles: items 1..18
    QTableWidget* Script2 = nullptr;         // list styles: items 19..36
    std::vector<QToolButton*> SpeedButtons;  // icon style
    QPushButton* AbortButton = nullptr;
    QLabel* HintLabel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    win::Desktop& desktop_;
    // The keyboard for as long as the chooser is up, also while the hot key that opened it
    // is still held (its grab would keep every key away, its repeats take it back).
    void TakeKeyboard();
    void BuildIcons(int bottom);
    void BuildLists(int bottom);
    QTableWidget* MakeList(int first, int count, int left, int top, int width);

    ChooserOptions options_;
    std::vector<ChooserItem> items_;
    std::optional<int> iconX_;
    ChooserGeometry plan_;
    int result_ = -1;
    int grabTries_ = 0;
    bool keyboardGrabbed_ = false;
};

}  // namespace tessaro
