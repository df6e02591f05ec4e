#include "editor/explorer/about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaro {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About");
    auto* column = new QVBoxLayout(this);
    auto* title = new QLabel("Tessaro 99", this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    column->addWidget(title, 0, Qt::AlignHCenter);
    column->addWidget(new QLabel("Tessaro Editor", this), 0, Qt::AlignHCenter);
    column->addWidget(new QLabel("Desktop macros for X11", this), 0, Qt::AlignHCenter);
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    column->addWidget(ok, 0, Qt::AlignHCenter);
}

}  // namespace tessaro
