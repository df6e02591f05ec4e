#include "editor/explorer/forms/t_do_spec_wind.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "widgets/entry_text.h"
#include "editor/explorer/forms/form_support.h"
#include "editor/model/macro_forms/spec_wind.h"

namespace tessaro {

TDoAllProgs::TDoAllProgs(InstalledPrograms& programs, QWidget* parent) : QDialog(parent) {
    setWindowTitle("List of Installed Programs");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ProgBox = new QTreeWidget;
    ProgBox->setColumnCount(2);
    ProgBox->setHeaderLabels({"Program Name", "Program EXE"});
    QFont bold = ProgBox->header()->font();
    bold.setBold(true);
    ProgBox->header()->setFont(bold);
    ProgBox->setRootIsDecorated(false);
    ProgBox->setMinimumWidth(420);
    {
        if (!programs.Loaded()) QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto& rows = programs.Get();
        QApplication::restoreOverrideCursor();
        for (const InstalledProgram& p : rows)
            new QTreeWidgetItem(ProgBox, {QString::fromStdString(p.name), QString::fromStdString(p.program)});
    }
    ProgBox->sortItems(0, Qt::AscendingOrder);
    ProgBox->header()->resizeSection(0, 260);
    OkButton = new QPushButton("&Ok");
    CancelButton = new QPushButton("&Cancel");
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &TDoAllProgs::OkButtonClick);
    connect(ProgBox, &QTreeWidget::itemDoubleClicked, this, &TDoAllProgs::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* v = new QVBoxLayout(this);
    v->addWidget(ProgBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    v->addLayout(buttons);
    resize(480, 360);
    forms::CentreOnScreen(*this);
}

void TDoAllProgs::OkButtonClick() {
    QTreeWidgetItem* row = ProgBox->currentItem();
    if (!row || !row->isSelected()) {
        forms::ErrorBox("No program selected.  Please select one.");
        ProgBox->setFocus();
        return;
    }
    ChosenProgram = row->text(1).toStdString();
    Chosen = true;
    accept();
}

TDoSpecWind::TDoSpecWind(win::Desktop& desktop, InstalledPrograms& programs, std::string scopeText,
                         bool onTop, bool windowMode, QWidget* parent)
    : QDialog(parent), OnTop(onTop), programs_(programs), windowMode_(windowMode) {
    const SpecWindTexts t = SpecWindTextsFor(windowMode);
    setWindowTitle(QString::fromStdString(t.caption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    TitleBox = new QLineEdit;
    forms::LimitTyping(*TitleBox, kScopeTypedLimit);
    OnTopOption = new QRadioButton(QString::fromStdString(t.onTopOption));
    RunningOption = new QRadioButton(QString::fromStdString(t.runningOption));
    ProgList = new QListWidget;
    ProgList->setSortingEnabled(true);
    ProgList->setMinimumHeight(t.listHeight);
    ListProgs = new QPushButton("&Select from list of installed programs");
    ListProgs->setVisible(t.installedButton);
    ListProgs->setEnabled(t.installedButton);
    OkButton = new QPushButton("&Ok");
    CancelButton = new QPushButton("&Cancel");
    OkButton->setDefault(true);
    HelpButton = forms::NewHelpButton(*this, [keyword = t.helpKeyword] { return keyword; });

    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(QString::fromStdString(t.heading)));
    v->addWidget(TitleBox);
    v->addWidget(OnTopOption);
    v->addWidget(RunningOption);
    v->addWidget(new QLabel(QString::fromStdString(t.listHeading)));
    v->addWidget(ProgList);
    v->addWidget(new QLabel("(Double Click on one to select)"));
    v->addWidget(ListProgs);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    v->addLayout(buttons);

    connect(OkButton, &QPushButton::clicked, this, &TDoSpecWind::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListProgs, &QPushButton::clicked, this, &TDoSpecWind::ListProgsClick);
    connect(ProgList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { TitleBox->setText(item->text().left(kScopeTypedLimit)); });

    (OnTop ? OnTopOption : RunningOption)->setChecked(true);
    TitleBox->setText(win::ToQt(scopeText));  // the stored text, whole
    ScopeText.clear();                        // a cancelled dialog returns nothing
    for (const std::string& row : windowMode ? RunningWindowTitles(desktop) : RunningProgramNames(desktop))
        ProgList->addItem(win::ToQt(row));
    adjustSize();
    forms::CentreOnScreen(*this);
}

void TDoSpecWind::ListProgsClick() {
    TDoAllProgs picker(programs_, this);
    picker.exec();
    if (picker.Chosen) TitleBox->setText(QString::fromStdString(picker.ChosenProgram));
}

void TDoSpecWind::OkButtonClick() {
    QListWidgetItem* row = ProgList->currentItem();
    const std::string highlighted = row && row->isSelected() ? win::FromQt(row->text()) : std::string();
    const auto title = EntryOrRefuse(TitleBox);
    if (!title) return;
    const SpecWindOk ok = CheckSpecWind(windowMode_, *title, highlighted);
    switch (ok.status) {
        case SpecWindOk::Status::Refused:
            forms::ErrorBox(ok.message);
            TitleBox->setFocus();
            return;
        case SpecWindOk::Status::AskHighlighted:
            if (!forms::AskYesNo(ok.message, "Error")) {
                TitleBox->setFocus();
                return;
            }
            break;
        case SpecWindOk::Status::Done: break;
    }
    ScopeText = ok.scopeText;
    OnTop = OnTopOption->isChecked();
    accept();
}

}  // namespace tessaro
