#include "editor/explorer/forms/t_copy_or_move.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/explorer/forms/form_support.h"
#include "editor/explorer/forms/hot_key_list_box.h"
#include "editor/explorer/forms/t_do_schedule.h"
#include "editor/model/macro_forms/window_routing.h"
#include "platform/datetime.h"
#include "platform/messages.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"

namespace tessaro {

TCopyOrMove::TCopyOrMove(MacroFormsContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    HotKeyLabel = new QLabel;
    QFont bold = HotKeyLabel->font();
    bold.setBold(true);
    HotKeyLabel->setFont(bold);
    HotKey = new QRadioButton("&Hot Key");
    Snipra = new QRadioButton("&Snipra");
    TimedMacro = new QRadioButton("&Timed Macro");
    UseNone = new QRadioButton("&None (use later)");
    WinTitle = new QRadioButton("&Window Title");
    KeyList = new HotKeyListBox;
    HotKeyLab = new QLabel("(Press the Hot Key)");
    HotKeyEntry = new QLineEdit;
    HotKeyEntry->setReadOnly(true);
    HotKeyEntry->installEventFilter(this);
    SnipraLab = new QLabel("Snipra Name");
    SnipraEntry = new QLineEdit;
    OkButton = new QPushButton("&Ok");
    CancelButton = new QPushButton("&Cancel");
    OkButton->setDefault(true);
    HelpButton =
        forms::NewHelpButton(*this, [this] { return std::string(MoveMode ? "Move Macro" : "Copy Macro"); });

    auto* group = new QButtonGroup(this);
    for (QRadioButton* b : {HotKey, Snipra, TimedMacro, UseNone, WinTitle}) group->addButton(b);
    connect(group, &QButtonGroup::buttonClicked, this, [this](QAbstractButton* b) {
        EnableDisable();
        if (b == HotKey) HotKeyEntry->setFocus();
        if (b == Snipra || b == WinTitle) SnipraEntry->setFocus();
    });
    connect(SnipraEntry, &QLineEdit::textEdited, this, [this](const QString& text) { typed_ = text; });
    connect(KeyList, &QListWidget::itemClicked, this,
            [this] { HotKeyEntry->setText(win::ToQt(HotKeyNames(KeyList->SelectedCode()))); });
    connect(OkButton, &QPushButton::clicked, this, &TCopyOrMove::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* choices = new QGridLayout;
    choices->addWidget(HotKey, 0, 0);
    choices->addWidget(Snipra, 0, 1);
    choices->addWidget(TimedMacro, 0, 2);
    choices->addWidget(UseNone, 1, 0);
    choices->addWidget(WinTitle, 1, 1);
    auto* entries = new QGridLayout;
    entries->addWidget(HotKeyLab, 0, 0);
    entries->addWidget(HotKeyEntry, 0, 1);
    entries->addWidget(SnipraLab, 1, 0);
    entries->addWidget(SnipraEntry, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    auto* v = new QVBoxLayout(this);
    v->addWidget(HotKeyLabel);
    v->addLayout(choices);
    v->addWidget(KeyList, 1);
    v->addLayout(entries);
    // Without the key list the controls stay together above the buttons.
    v->addStretch(0);
    v->addLayout(buttons);
}

TCopyOrMove::~TCopyOrMove() = default;

void TCopyOrMove::showEvent(QShowEvent* event) {
    if (!shown_) FormShow();
    QDialog::showEvent(event);
}

void TCopyOrMove::FormShow() {
    shown_ = true;
    setWindowTitle(MoveMode ? "Change Macro Activation" : "Copy Hot Key");
    hotKeys_ =
        std::make_unique<HotKeyFields>(context_.core.Messages, *this, static_cast<HotKeyFieldOwner&>(*this));
    hotKeys_->AddField(*HotKeyEntry);
    if (OffersOnlyHotKey(context_.core.CurrentMacro))
        for (QRadioButton* b : {Snipra, TimedMacro, WinTitle, UseNone}) {
            b->setVisible(false);
            b->setEnabled(false);
        }
    KeyList->FillList(context_.core.GlobData);
    globalUsed_ = GlobalHotKeysUsed(context_.core.GlobData, false);
    HotKey->setChecked(true);
    EnableDisable();
    forms::CentreOnScreen(*this);
}

NewActivation TCopyOrMove::Choice() const {
    if (Snipra->isChecked()) return NewActivation::Snipra;
    if (TimedMacro->isChecked()) return NewActivation::Timed;
    if (UseNone->isChecked()) return NewActivation::None;
    if (WinTitle->isChecked()) return NewActivation::Title;
    return NewActivation::HotKey;
}

void TCopyOrMove::EnableDisable() {
    const NewActivation c = Choice();
    const bool keys = c == NewActivation::HotKey;
    const bool entry = c == NewActivation::Snipra || c == NewActivation::Title;
    for (QWidget* w : std::initializer_list<QWidget*>{HotKeyLab, HotKeyEntry, KeyList}) {
        w->setVisible(keys);
        w->setEnabled(keys);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{SnipraLab, SnipraEntry}) {
        w->setVisible(entry);
        w->setEnabled(entry);
    }
    SnipraLab->setText(c == NewActivation::Title ? "Window Title" : "Snipra Name");
    // A shorter limit cuts the text in the box; what the user typed comes back whole with
    // the longer one.
    const int limit = c == NewActivation::Title ? 20 : 10;
    if (SnipraEntry->text() != typed_.left(forms::TypingLimit(*SnipraEntry))) typed_ = SnipraEntry->text();
    LimitTyping(*SnipraEntry, limit);
    if (SnipraEntry->text() != typed_.left(limit)) SnipraEntry->setText(typed_.left(limit));
    forms::FitClientHeight(*this, CopyOrMoveClientHeight(c));
}

void TCopyOrMove::WMHotKeyChosen(int code) {
    if (KeyList->SelectCode(code)) HotKeyEntry->setText(win::ToQt(HotKeyNames(code)));
}

void TCopyOrMove::Route(bool on) {
    if (routed_ == on) return;
    routed_ = on;
    SetSecWind(context_.core.GlobData, forms::NativeId(*this), on, context_.core.Notices());
}

bool TCopyOrMove::eventFilter(QObject* watched, QEvent* event) {
    if (watched == HotKeyEntry && event->type() == QEvent::FocusIn) Route(true);
    if (watched == HotKeyEntry && event->type() == QEvent::FocusOut) Route(false);
    return QDialog::eventFilter(watched, event);
}

void TCopyOrMove::done(int result) {
    Route(false);
    QDialog::done(result);
}

void TCopyOrMove::OkButtonClick() {
    TMacroRecord& rec = context_.core.CurrentMacro;
    const CopyOrMoveCheck c = CheckCopyOrMove(
        rec, {Choice(), KeyList->SelectedCode(), win::FromQt(SnipraEntry->text()), MoveMode}, globalUsed_);
    if (!c.ok) {
        forms::ErrorBox(c.error);
        if (c.focusEntry) SnipraEntry->setFocus();
        return;
    }
    if (!c.reservedQuestion.empty() && win::MessageBox(c.reservedQuestion, "Warning", win::MbButtons::YesNo,
                                                       win::MbIcon::Warning) != win::MbResult::Yes)
        return;
    if (c.fillTimerDefaults) context_.core.DefaultTimer(win::Now());
    rec.ActivationCode = c.record.ActivationCode;
    rec.Abbreviation = c.record.Abbreviation.view();
    rec.ScopeText = c.record.ScopeText.view();
    if (c.openSchedule) {
        TDoSchedule schedule(rec, this);
        schedule.exec();
    }
    Done = true;
    accept();
}

}  // namespace tessaro
