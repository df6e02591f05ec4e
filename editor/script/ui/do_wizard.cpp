#include "editor/script/ui/do_wizard.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/commands/command_dialog.h"
#include "editor/script/ui/do_scripting.h"
#include "foundation/ras.h"
#include "platform/message_box.h"
#include "widgets/label_text.h"
#include "widgets/page_control.h"

namespace tessaro {

namespace {

constexpr int kDialUp = 94;
constexpr int kRowsPerColumn = 5;

}  // namespace

TDoWizard::TDoWizard(TDoScripting& editor) : QDialog(&editor), editor_(editor) {
    setObjectName("DoWizard");
    setWindowTitle(tr("Scripting Wizard"));
    QFont arial("Arial");
    arial.setPixelSize(13);
    setFont(arial);
    MyPage = new TAPageControl(this);
    MyPage->setObjectName("MyPage");
    const char* sheetNames[kPalettePageCount] = {"TextSheet", "SystemSheet", "ProgramSheet", "MacroSheet"};
    QGridLayout* grids[kPalettePageCount];
    int placed[kPalettePageCount] = {};
    for (int p = 0; p < kPalettePageCount; ++p) {
        auto* sheet = new QWidget(MyPage);
        sheet->setObjectName(sheetNames[p]);
        grids[p] = new QGridLayout(sheet);
        MyPage->addTab(sheet, tr(PaletteCaption(static_cast<PalettePage>(p))));
    }
    const QIcon picture = style()->standardIcon(QStyle::SP_FileDialogNewFolder);
    for (const PaletteButton& b : PaletteButtons()) {
        const int p = static_cast<int>(b.page);
        auto* button = new QToolButton(MyPage->widget(p));
        button->setObjectName(b.name);
        button->setIcon(picture);
        button->setIconSize(QSize(24, 24));
        // The letter is underlined; Alt + letter is this palette's own key handling.
        auto* label = new QLabel(CaptionUnderlined(tr(b.label)), MyPage->widget(p));
        label->setTextFormat(Qt::RichText);
        label->setObjectName(QString(b.name) + "Label");
        const int row = placed[p] % kRowsPerColumn;
        const int column = placed[p] / kRowsPerColumn * 2;
        ++placed[p];
        grids[p]->addWidget(button, row, column);
        grids[p]->addWidget(label, row, column + 1);
        connect(button, &QToolButton::clicked, this, [this, &b] { ButtonClick(b); });
    }
    for (QGridLayout* grid : grids) grid->setRowStretch(kRowsPerColumn, 1);

    ExitButton = new QPushButton(tr("E&xit"), this);
    ExitButton->setObjectName("ExitButton");
    auto* help = new QPushButton(tr("&Help"), this);
    help->setObjectName("n");
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, "Command Wizard"); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ExitButton);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("What would you like to do?"), this));
    layout->addWidget(MyPage, 1);
    layout->addLayout(buttons);
    resize(542, 286);
}

QToolButton* TDoWizard::ButtonOf(const PaletteButton& button) const {
    return findChild<QToolButton*>(button.name);
}

void TDoWizard::ButtonClick(const PaletteButton& button) {
    if (button.code == kDialUp && !RasAvailable()) {
        RasMissingWarning(this);
        return;
    }
    if (!editor_.AppendFromPalette(button.code, button.allowTextEdit)) return;
    if (win::MessageBox(kContinueWizard, "Added", win::MbButtons::YesNo) == win::MbResult::No) accept();
}

void TDoWizard::keyPressEvent(QKeyEvent* event) {
    // Alt + a letter runs the button of that letter on the page that is showing.
    if (event->modifiers() == Qt::AltModifier && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z) {
        const auto page = static_cast<PalettePage>(MyPage->currentIndex());
        if (const PaletteButton* b =
                PaletteKeyButton(page, static_cast<char>('A' + (event->key() - Qt::Key_A)))) {
            ButtonClick(*b);
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TDoWizard::showEvent(QShowEvent* event) {
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    QDialog::showEvent(event);
}

}  // namespace tessaro
