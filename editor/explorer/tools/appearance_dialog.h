#pragma once
// "Appearance": the list's column widths and fonts, the icon column, the category pane and
// speed or lettered buttons. Ok stores them, saves [Main Window], tells the player and has
// the main window apply them at once.
#include <QDialog>
#include <QFont>
#include <array>

#include "foundation/config_record.h"
#include "hook/client/glob_data_sync.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tessaro {

// The main window lays itself out again from the settings.
class AppearanceHost {
public:
    virtual ~AppearanceHost() = default;
    // `categoriesWereShown`: ShowCategory when the dialog opened.
    virtual void ApplyAppearance(bool categoriesWereShown) = 0;
};

// Only bold survives in the grid font: italic, underline and strike-out are taken out.
QFont GridFontOnly(QFont font);

class TDoAppear : public QDialog {
    Q_OBJECT
public:
    // `columnWidths`: the grid's text columns now; `categoryWidth`: the category pane's
    // width, 0 while it is hidden.
    TDoAppear(QWidget* owner, TConfigRecord& config, const std::array<int, 3>& columnWidths,
              int categoryWidth, PeerNotify notify, AppearanceHost& host);

    QLineEdit* Col1Wid;
    QLineEdit* Col2Wid;
    QLineEdit* Col3Wid;
    QLineEdit* CatWid;
    QRadioButton* SpeedButtons;
    QRadioButton* LetteredButtons;
    QCheckBox* ShowIcons;
    QCheckBox* ShowCats;

    void GridFontClick();
    void TitleFontClick();
    void OkButtonClick();
    const QFont& GridFont() const { return gridFont_; }
    const QFont& TitleFont() const { return titleFont_; }

private:
    TConfigRecord& config_;
    PeerNotify notify_;
    AppearanceHost& host_;
    QFont gridFont_;
    QFont titleFont_;
    bool categoriesWereShown_;
};

}  // namespace tessaro
