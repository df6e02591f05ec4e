#include "editor/explorer/forms/t_short_options.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/explorer/forms/form_support.h"
#include "editor/model/macro_forms/short_options.h"

namespace tessaro {

TShortOptions::TShortOptions(TMacroRecord& rec, QWidget* parent) : QDialog(parent), rec_(rec) {
    setWindowTitle("Snipra Options");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto heading = [](const char* text) {
        auto* l = new QLabel(text);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };
    CaseMatch = new QRadioButton("&Match Uppercase First Char Between Snipra &&Text");
    CaseSense = new QRadioButton("&Require Exact Upper/Lowercase Match on Snipra");
    CaseNone = new QRadioButton("&None");
    NoRemove = new QCheckBox("&Do Not Remove Keystrokes Typed");
    OkButton = new QPushButton("&Ok");
    CancelButton = new QPushButton("&Cancel");
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &TShortOptions::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading("Case Sensitivity"));
    v->addWidget(CaseMatch);
    v->addWidget(CaseSense);
    v->addWidget(CaseNone);
    v->addWidget(heading("Other"));
    v->addWidget(NoRemove);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    v->addLayout(buttons);

    const ShortOptionsView shown = ShowShortOptions(rec_);
    NoRemove->setChecked(shown.noRemove);
    (shown.caseMode == SnipraCase::Match   ? CaseMatch
     : shown.caseMode == SnipraCase::Exact ? CaseSense
                                           : CaseNone)
        ->setChecked(true);
    adjustSize();
    forms::CentreOnScreen(*this);
}

void TShortOptions::OkButtonClick() {
    ShortOptionsView choice;
    choice.caseMode = CaseSense->isChecked()   ? SnipraCase::Exact
                      : CaseMatch->isChecked() ? SnipraCase::Match
                                               : SnipraCase::None;
    choice.noRemove = NoRemove->isChecked();
    StoreShortOptions(rec_, choice);
    accept();
}

}  // namespace tessaro
