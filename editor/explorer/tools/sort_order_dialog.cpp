#include "editor/explorer/tools/sort_order_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/commands/command_dialog.h"
#include "editor/explorer/forms/form_support.h"
#include "editor/model/tools/option_rules.h"
#include "foundation/settings.h"
#include "protocol/window_messages.h"
#include "widgets/whole_list.h"

namespace tessaro {

namespace {

// The selected entry, -1 when none is: a list that only has the focus has a current
// entry but no selection.
int SelectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

std::vector<std::string> Names(const QListWidget* list) {
    std::vector<std::string> names;
    for (int i = 0; i < list->count(); ++i) names.push_back(list->item(i)->text().toStdString());
    return names;
}

}  // namespace

TSortOrder::TSortOrder(QWidget* owner, TConfigRecord& config, PeerNotify notify, ListOrderHost& host)
    : QDialog(owner), config_(config), notify_(std::move(notify)), host_(host) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Sort Order"));
    const auto list = [this](const char* name, const std::vector<std::string>& names) {
        auto* l = new QListWidget(this);
        l->setObjectName(name);
        int number = 1;
        for (const std::string& n : names) {
            auto* item = new QListWidgetItem(QString::fromStdString(n), l);
            item->setData(Qt::UserRole, number++);
        }
        connect(l, &QListWidget::itemSelectionChanged, this, &TSortOrder::Buttons);
        ShowWholeEntries(*l);
        return l;
    };
    Primary = list("Primary", SortNames(config.PrimarySort.view(), kPrimarySortNames));
    Activation = list("Activation", SortNames(config.ActivationSort.view(), kActivationSortNames));
    Scope = list("Scope", SortNames(config.ScopeSort.view(), kScopeSortNames));
    const auto arrow = [this](const char* name, const QString& text, QListWidget* target, int step) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setFocusPolicy(Qt::NoFocus);  // Tab skips the arrows
        connect(b, &QPushButton::clicked, this, [this, target, step] { Move(target, step); });
        return b;
    };
    PrimaryUp = arrow("PrimaryUp", "\u25b2", Primary, -1);
    PrimaryDown = arrow("PrimaryDown", "\u25bc", Primary, 1);
    ActUp = arrow("ActUp", "\u25b2", Activation, -1);
    ActDown = arrow("ActDown", "\u25bc", Activation, 1);
    ScopeUp = arrow("ScopeUp", "\u25b2", Scope, -1);
    ScopeDown = arrow("ScopeDown", "\u25bc", Scope, 1);
    SortHeader = new QCheckBox(tr("&Enable right clicking on column headers"), this);
    SortHeader->setObjectName("SortHeader");
    SortHeader->setChecked(config.SortHeader);

    auto* grid = new QGridLayout;
    const auto column = [&](int c, const QString& label, QListWidget* l, QPushButton* up, QPushButton* down) {
        grid->addWidget(new QLabel(label, this), 0, c * 2);
        grid->addWidget(l, 1, c * 2);
        auto* arrows = new QVBoxLayout;
        arrows->addWidget(up);
        arrows->addWidget(down);
        arrows->addStretch();
        grid->addLayout(arrows, 1, c * 2 + 1);
    };
    column(0, tr("Primary Sort"), Primary, PrimaryUp, PrimaryDown);
    column(1, tr("Activation"), Activation, ActUp, ActDown);
    column(2, tr("Scope"), Scope, ScopeUp, ScopeDown);
    auto* ok = new QPushButton(tr("&Ok"), this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    cancel->setObjectName("CancelButton");
    auto* help = new QPushButton(tr("&Help"), this);
    help->setObjectName("HelpButton");
    connect(ok, &QPushButton::clicked, this, &TSortOrder::OkButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, "Sort Order"); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Secondary Sort"), this), 0, Qt::AlignHCenter);
    layout->addLayout(grid);
    layout->addWidget(SortHeader);
    layout->addLayout(buttons);
    Buttons();
}

void TSortOrder::Buttons() {
    const std::tuple<QListWidget*, QPushButton*, QPushButton*> lists[] = {
        {Primary, PrimaryUp, PrimaryDown}, {Activation, ActUp, ActDown}, {Scope, ScopeUp, ScopeDown}};
    for (const auto& [list, up, down] : lists) {
        const MoveButtons b = SortButtons(SelectedRow(list), list->count());
        up->setEnabled(b.Up);
        down->setEnabled(b.Down);
    }
}

void TSortOrder::Move(QListWidget* list, int step) {
    const int row = SelectedRow(list);
    const int to = row + step;
    if (row < 0 || to < 0 || to >= list->count()) return;
    QListWidgetItem* item = list->takeItem(row);
    list->insertItem(to, item);
    list->setCurrentRow(to);
    Buttons();
}

void TSortOrder::OkButtonClick() {
    config_.PrimarySort.assign(SortString(Names(Primary), kPrimarySortNames));
    config_.ActivationSort.assign(SortString(Names(Activation), kActivationSortNames));
    config_.ScopeSort.assign(SortString(Names(Scope), kScopeSortNames));
    config_.SortHeader = SortHeader->isChecked();
    SaveMiscSettings(config_);
    notify_(puSettingsMisc, 0);
    host_.ResortKeepingCurrent();
    accept();
}

}  // namespace tessaro
