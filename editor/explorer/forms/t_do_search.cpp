#include "editor/explorer/forms/t_do_search.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/explorer/forms/form_support.h"

namespace tessaro {

TDoSearch::TDoSearch(bool findOnly, QWidget* parent) : QDialog(parent) {
    setWindowTitle(findOnly ? "Find" : "Search and Replace");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Find = new QLineEdit;
    Replace = new QLineEdit;
    Find->setMaxLength(255);
    Replace->setMaxLength(255);
    Label2 = new QLabel("Replace With");
    Replace->setEnabled(!findOnly);
    Label2->setEnabled(!findOnly);
    auto* ok = new QPushButton("&Ok");
    auto* cancel = new QPushButton("&Cancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TDoSearch::OkButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow("Find", Find);
    form->addRow(Label2, Replace);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* v = new QVBoxLayout(this);
    v->addLayout(form);
    v->addLayout(buttons);
    resize(360, sizeHint().height());
    forms::CentreOnScreen(*this);
}

void TDoSearch::OkButtonClick() {
    FindText = Find->text().left(255);
    ReplaceText = Replace->text().left(255);
    SearchConfirmed = !FindText.isEmpty();
    accept();
}

}  // namespace tessaro
