#include "editor/commands/nick_dialog.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "editor/commands/form_parts.h"
#include "platform/message_box.h"

namespace tessaro {

using namespace parts;

TDoNick::TDoNick(QWidget* owner, const TGlobData& glob, const TConfigRecord& config)
    : CommandDialog(owner, "TDoNick", tr("Macro Commands")), glob_(glob), config_(config) {
    ProgPath = Edit(this, "ProgPath");
    NickList = new QListWidget(this);
    NickList->setObjectName("NickList");
    auto* panel = new QVBoxLayout;
    panel->addWidget(Label(this, tr("Macro Nickname"), ProgPath));
    panel->addWidget(ProgPath);
    panel->addWidget(Label(this, tr("List of Current Macro Nicknames"), NickList));
    panel->addWidget(NickList);
    panel->addWidget(new QLabel(tr("(Double click to accept)"), this));
    Body()->addLayout(panel);
    AddRadios(Body(), kNickChoices, tr("Commands"));
    connect(NickList, &QListWidget::itemDoubleClicked, this, &TDoNick::NickListDblClick);
}

void TDoNick::Preset(const NickForm& form) {
    CheckKind(kNickChoices, form.Kind);
    ProgPath->setText(win::ToQt(form.ProgPath));
}

void TDoNick::SetDefaults() { CheckKind(kNickChoices, NickDefaults().Kind); }

void TDoNick::FocusFirst() {
    ProgPath->setFocus(Qt::OtherFocusReason);
    NickList->clear();
    for (const std::string& name : NickListOf(glob_, config_)) NickList->addItem(win::ToQt(name));
}

void TDoNick::NickListDblClick() {
    if (QListWidgetItem* item = NickList->currentItem()) ProgPath->setText(item->text());
}

void TDoNick::OkButtonClick() {
    const auto typed = ReadText(ProgPath);
    if (!typed) return;
    NickForm form{CheckedKind(kNickChoices), *typed, ""};
    if (QListWidgetItem* item = NickList->currentItem(); item && item->isSelected())
        form.Highlighted = win::FromQt(item->text());
    bool useHighlighted = false;
    if (NickNeedsQuestion(form)) {
        useHighlighted = win::MessageBox(NickUseHighlightedQuestion(form.Highlighted), "Error",
                                         win::MbButtons::YesNo) == win::MbResult::Yes;
        if (!useHighlighted) {
            ProgPath->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    Result = BuildNick(form, useHighlighted);
    Accept(Result);
}

}  // namespace tessaro
