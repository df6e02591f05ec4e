#include "editor/explorer/tools/appearance_dialog.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>

#include "editor/explorer/fonts.h"
#include "editor/explorer/forms/form_support.h"
#include "editor/model/tools/option_rules.h"
#include "foundation/settings.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

constexpr int kMinCategoryWidth = 120;

// The font dialog started from `start`; nullopt when cancelled.
std::optional<QFont> ChooseFont(QWidget* owner, const QFont& start) {
    QFontDialog dialog(start, owner);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedFont();
}

}  // namespace

QFont GridFontOnly(QFont font) {
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

TDoAppear::TDoAppear(QWidget* owner, TConfigRecord& config, const std::array<int, 3>& columnWidths,
                     int categoryWidth, PeerNotify notify, AppearanceHost& host)
    : QDialog(owner),
      config_(config),
      notify_(std::move(notify)),
      host_(host),
      gridFont_(ToQFont(config.GridFont)),
      titleFont_(ToQFont(config.GridTitleFont)),
      categoriesWereShown_(config.ShowCategory) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Appearance"));
    const auto field = [this](const char* name, int value) {
        auto* f = new QLineEdit(QString::number(value), this);
        f->setObjectName(name);
        LimitTyping(*f, 4);
        return f;
    };
    Col1Wid = field("Col1Wid", columnWidths[0]);
    Col2Wid = field("Col2Wid", columnWidths[1]);
    Col3Wid = field("Col3Wid", columnWidths[2]);
    CatWid = field("CatWid", categoryWidth > 0 ? categoryWidth : kMinCategoryWidth);
    auto* columns = new QGroupBox(tr("Columns"), this);
    auto* form = new QFormLayout(columns);
    form->addRow(tr("Column 1 Width"), Col1Wid);
    form->addRow(tr("Column 2 Width"), Col2Wid);
    form->addRow(tr("Column 3 Width"), Col3Wid);
    form->addRow(tr("Category Width"), CatWid);

    auto* fonts = new QGroupBox(tr("Fonts"), this);
    auto* fontRow = new QVBoxLayout(fonts);
    auto* gridFont = new QPushButton(tr("&Grid Font"), fonts);
    gridFont->setObjectName("GridFontButton");
    auto* titleFont = new QPushButton(tr("Grid &Title Font"), fonts);
    titleFont->setObjectName("TitleFontButton");
    fontRow->addWidget(gridFont);
    fontRow->addWidget(titleFont);
    connect(gridFont, &QPushButton::clicked, this, &TDoAppear::GridFontClick);
    connect(titleFont, &QPushButton::clicked, this, &TDoAppear::TitleFontClick);

    auto* other = new QGroupBox(tr("Other"), this);
    auto* otherColumn = new QVBoxLayout(other);
    SpeedButtons = new QRadioButton(tr("&Speed Buttons"), other);
    SpeedButtons->setObjectName("SpeedButtons");
    LetteredButtons = new QRadioButton(tr("&Lettered Buttons"), other);
    LetteredButtons->setObjectName("LetteredButtons");
    (config.UseSpeed ? SpeedButtons : LetteredButtons)->setChecked(true);
    ShowIcons = new QCheckBox(tr("Show &Icons"), other);
    ShowIcons->setObjectName("ShowIcons");
    ShowIcons->setChecked(config.ShowIcons);
    ShowCats = new QCheckBox(tr("S&how Categories"), other);
    ShowCats->setObjectName("ShowCats");
    ShowCats->setChecked(config.ShowCategory);
    for (QWidget* w : {static_cast<QWidget*>(SpeedButtons), static_cast<QWidget*>(LetteredButtons),
                       static_cast<QWidget*>(ShowIcons), static_cast<QWidget*>(ShowCats)})
        otherColumn->addWidget(w);

    auto* ok = new QPushButton(tr("&Ok"), this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    cancel->setObjectName("CancelButton");
    connect(ok, &QPushButton::clicked, this, &TDoAppear::OkButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* main = new QGroupBox(tr("Macros Main Window"), this);
    auto* groups = new QHBoxLayout(main);
    groups->addWidget(columns);
    auto* right = new QVBoxLayout;
    right->addWidget(fonts);
    right->addWidget(other);
    groups->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(main);
    layout->addLayout(buttons);
}

void TDoAppear::GridFontClick() {
    if (const auto chosen = ChooseFont(this, gridFont_)) gridFont_ = GridFontOnly(*chosen);
}

void TDoAppear::TitleFontClick() {
    if (const auto chosen = ChooseFont(this, titleFont_)) titleFont_ = *chosen;
}

void TDoAppear::OkButtonClick() {
    QLineEdit* const fields[] = {Col1Wid, Col2Wid, Col3Wid, CatWid};
    const std::array<std::string, 3> columns{Col1Wid->text().toStdString(), Col2Wid->text().toStdString(),
                                             Col3Wid->text().toStdString()};
    const WidthCheck check =
        CheckAppearanceWidths(columns, CatWid->text().toStdString(), ShowCats->isChecked());
    if (check.Field >= 0) {
        win::MessageBox(check.Message, "Error");
        fields[check.Field]->setFocus();
        return;
    }
    config_.CategoryWidth = ShowCats->isChecked()
                                ? static_cast<int>(LenientNumber(CatWid->text().toStdString()))
                                : kMinCategoryWidth;
    config_.Col1Width = static_cast<int>(LenientNumber(columns[0]));
    config_.Col2Width = static_cast<int>(LenientNumber(columns[1]));
    config_.Col3Width = static_cast<int>(LenientNumber(columns[2]));
    AssignFont(config_.GridTitleFont, titleFont_);
    AssignFont(config_.GridFont, gridFont_);
    config_.ShowIcons = ShowIcons->isChecked();
    config_.ShowCategory = ShowCats->isChecked();
    config_.UseSpeed = SpeedButtons->isChecked();
    host_.ApplyAppearance(categoriesWereShown_);
    SaveMainWindowSettings(config_);
    notify_(puSettingsMainWindow, 0);
    accept();
}

}  // namespace tessaro
