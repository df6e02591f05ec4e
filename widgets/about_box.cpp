#include "widgets/about_box.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/screen_fit.h"

namespace tessaro {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(kAboutCaption);
    auto* layout = new QVBoxLayout(this);
    ProductName = new QLabel(kProductName, this);
    QFont big = ProductName->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    ProductName->setFont(big);
    Version = new QLabel("Version 1.0", this);
    Comments =
        new QLabel("Macros for the X11 desktop: hot keys, abbreviations, schedules and recording.", this);
    Comments->setWordWrap(true);
    OKButton = new QPushButton(tr("&Ok"), this);
    OKButton->setObjectName("Button1");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    for (QLabel* label : {ProductName, Version, Comments}) {
        label->setAlignment(Qt::AlignHCenter);
        layout->addWidget(label);
    }
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    setMinimumWidth(320);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

TAboutBox* ShowAboutBox() {
    // The one open box; the pointer clears itself when the box goes.
    static QPointer<TAboutBox> open;
    if (!open) {
        open = new TAboutBox;
        open->setAttribute(Qt::WA_DeleteOnClose);
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}

}  // namespace tessaro
