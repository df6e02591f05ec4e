#include "editor/explorer/forms/t_add_new_hot_key.h"

#include <QButtonGroup>
#include <QEvent>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/explorer/forms/form_support.h"
#include "editor/explorer/forms/hot_key_list_box.h"
#include "editor/explorer/forms/t_capture_keys.h"
#include "editor/explorer/forms/t_do_build_menu.h"
#include "editor/explorer/forms/t_mod_hot_keys.h"
#include "editor/model/macro_forms/window_routing.h"
#include "hook/qtmhook.h"
#include "platform/messages.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"

namespace tessaro {

TAddNewHotKey::TAddNewHotKey(MacroFormsContext& context, CaptureHost& capture, NewMacroScript& script,
                             QWidget* parent)
    : QDialog(parent), context_(context), capture_(capture), script_(script) {
    setWindowTitle("Add Macro");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const AddCaptions captions = CaptionsFor(MacroType::HotKey, true);
    auto* typeBox = new QGroupBox("Macro Type");
    auto* typeGrid = new QGridLayout(typeBox);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        Types[std::size_t(i)] = new QRadioButton(QString::fromStdString(captions.types[std::size_t(i)]));
        group->addButton(Types[std::size_t(i)], i);
        typeGrid->addWidget(Types[std::size_t(i)], i / 3, i % 3);
    }
    UseHotKey = Types[0];
    UsePopup = Types[1];
    TimedMacro = Types[2];
    UseBuilding = Types[3];
    UseSnipra = Types[4];
    UseTitle = Types[5];
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        DisableEnable();
        if (id == int(MacroType::Snipra)) SnipraName->setFocus();
    });

    SetHotKeyLabel = new QLabel("Select Hot Key");
    KeyList = new HotKeyListBox;
    HotKeyLabel = new QLabel("Place cursor in field below and Press the Hot Key to select");
    HotKeyEntry = new QLineEdit;
    HotKeyEntry->setReadOnly(true);
    HotKeyEntry->installEventFilter(this);
    SnipraLabel = new QLabel("Snipra Name");
    SnipraName = new QLineEdit;
    LimitTyping(*SnipraName, 10);
    EnterKeyButton = new QPushButton;
    CaptureKeyButton = new QPushButton;
    ScriptButton = new QPushButton;
    AbortButton = new QPushButton;
    ScriptButton->setDefault(true);
    SetCaptions(true);
    connect(KeyList, &QListWidget::itemClicked, this,
            [this] { HotKeyEntry->setText(win::ToQt(HotKeyNames(KeyList->SelectedCode()))); });
    connect(EnterKeyButton, &QPushButton::clicked, this, &TAddNewHotKey::DoModify);
    connect(CaptureKeyButton, &QPushButton::clicked, this, &TAddNewHotKey::DoCapture);
    connect(ScriptButton, &QPushButton::clicked, this, &TAddNewHotKey::DoTheScript);
    connect(AbortButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {EnterKeyButton, CaptureKeyButton, ScriptButton, AbortButton})
        buttons->addWidget(b);
    auto* v = new QVBoxLayout(this);
    v->addWidget(typeBox);
    v->addWidget(SnipraLabel);
    v->addWidget(SnipraName);
    v->addWidget(SetHotKeyLabel);
    v->addWidget(KeyList, 1);
    v->addWidget(HotKeyLabel);
    v->addWidget(HotKeyEntry);
    // Without the key list the controls stay together above the buttons.
    v->addStretch(0);
    v->addLayout(buttons);
}

TAddNewHotKey::~TAddNewHotKey() = default;

void TAddNewHotKey::showEvent(QShowEvent* event) {
    if (!shown_) FormShow();
    QDialog::showEvent(event);
}

void TAddNewHotKey::FormShow() {
    shown_ = true;
    ResultTrayChanged = false;
    hotKeys_ =
        std::make_unique<HotKeyFields>(context_.core.Messages, *this, static_cast<HotKeyFieldOwner&>(*this));
    hotKeys_->AddField(*HotKeyEntry);
    const TGlobData& glob = context_.core.GlobData;
    KeyList->FillList(glob);
    UseHotKey->setChecked(true);
    DisableEnable();
    globalUsed_ = GlobalHotKeysUsed(glob, true);
    hasUserMacros_ = HasUserMacros(glob);
    forms::CentreOnScreen(*this);
    HotKeyEntry->setFocus();
}

MacroType TAddNewHotKey::Type() const {
    for (int i = 0; i < 6; ++i)
        if (Types[std::size_t(i)]->isChecked()) return MacroType(i);
    return MacroType::HotKey;
}

void TAddNewHotKey::SetCaptions(bool withAccelerators) {
    const AddCaptions c = CaptionsFor(Type(), withAccelerators);
    for (int i = 0; i < 6; ++i)
        Types[std::size_t(i)]->setText(QString::fromStdString(c.types[std::size_t(i)]));
    ScriptButton->setText(QString::fromStdString(c.script));
    EnterKeyButton->setText(QString::fromStdString(c.enter));
    CaptureKeyButton->setText(QString::fromStdString(c.capture));
    AbortButton->setText(QString::fromStdString(c.abort));
}

void TAddNewHotKey::DisableEnable() {
    const AddLayout l = LayoutOfType(Type());
    SnipraLabel->setVisible(l.snipraShown);
    SnipraName->setVisible(l.snipraShown);
    SnipraName->setEnabled(l.snipraShown);
    SnipraLabel->setText(QString::fromStdString(l.snipraLabel));
    LimitTyping(*SnipraName, l.snipraLimit);
    for (QWidget* w : std::initializer_list<QWidget*>{SetHotKeyLabel, HotKeyLabel, HotKeyEntry, KeyList}) {
        w->setVisible(l.keysShown);
        w->setEnabled(l.keysShown);
    }
    CaptureKeyButton->setEnabled(l.captureEnabled);
    ScriptButton->setEnabled(l.scriptEnabled);
    SetCaptions(!routed_);
    forms::FitClientHeight(*this, l.clientHeight);
}

void TAddNewHotKey::WMHotKeyChosen(int code) {
    if (KeyList->SelectCode(code)) HotKeyEntry->setText(win::ToQt(HotKeyNames(code)));
}

void TAddNewHotKey::HotKeyEntryEnter() {
    routed_ = true;
    SetSecWind(context_.core.GlobData, forms::NativeId(*this), true, context_.core.Notices());
    SetCaptions(false);
}

void TAddNewHotKey::HotKeyEntryExit() {
    if (!routed_) return;
    routed_ = false;
    SetSecWind(context_.core.GlobData, forms::NativeId(*this), false, context_.core.Notices());
    SetCaptions(true);
}

bool TAddNewHotKey::eventFilter(QObject* watched, QEvent* event) {
    if (watched == HotKeyEntry) {
        if (event->type() == QEvent::FocusIn) HotKeyEntryEnter();
        if (event->type() == QEvent::FocusOut) HotKeyEntryExit();
    }
    return QDialog::eventFilter(watched, event);
}

void TAddNewHotKey::done(int result) {
    HotKeyEntryExit();
    QDialog::done(result);
}

void TAddNewHotKey::closeEvent(QCloseEvent* event) {
    HotKeyEntryExit();
    QDialog::closeEvent(event);
}

AddEntry TAddNewHotKey::Entry() const {
    return {Type(), KeyList->SelectedCode(), win::FromQt(SnipraName->text())};
}

bool TAddNewHotKey::PassesReservedQuestion(const AddCheck& check) {
    return check.reservedQuestion.empty() ||
           win::MessageBox(check.reservedQuestion, "Warning", win::MbButtons::YesNo, win::MbIcon::Warning) ==
               win::MbResult::Yes;
}

void TAddNewHotKey::DoModify() {
    TMacroRecord& rec = context_.core.CurrentMacro;
    const AddEntry entry = Entry();
    if (entry.type == MacroType::Popup) {
        const AddCheck check = CheckPopupEntry(entry, hasUserMacros_, globalUsed_);
        if (!check.ok) {
            forms::ErrorBox(check.error);
            return;
        }
        if (!PassesReservedQuestion(check)) return;
        rec.ActivationCode = std::uint16_t(entry.selectedCode);
        TDoBuildMenu menu(context_, this);
        menu.ModifyExisting = false;
        menu.HotKeyLabel->setText(win::ToQt(HotKeyNames(entry.selectedCode)));
        menu.exec();
        ResultModify = menu.ModifyExisting;
        ResultUpdated = menu.Updated;
        ResultTrayChanged = menu.TrayChanged;
        accept();
        return;
    }
    const AddCheck check = CheckAddEntry(entry, rec);
    if (!check.ok) {
        forms::ErrorBox(check.error);
        if (check.focusSnipra) SnipraName->setFocus();
        return;
    }
    if (!PassesReservedQuestion(check)) return;
    const EditorSetup setup = SetupOfType(entry.type, entry.selectedCode, globalUsed_);
    rec.ActivationCode = setup.activationCode;
    TModHotKeys editor(context_, this);
    editor.ModifyExisting = false;
    editor.GlobalKeyTaken = setup.globalKeyTaken;
    editor.ActivationKind = setup.activationKind;
    if (setup.setsHotKeyLabel) editor.HotKeyLabel->setText(win::ToQt(HotKeyNames(entry.selectedCode)));
    editor.exec();
    ResultModify = editor.ModifyExisting;
    ResultUpdated = editor.Updated;
    accept();
}

void TAddNewHotKey::DoTheScript() {
    TMacroRecord& rec = context_.core.CurrentMacro;
    const AddEntry entry = Entry();
    const AddCheck check = CheckAddEntry(entry, rec);
    if (!check.ok) {
        forms::ErrorBox(check.error);
        if (check.focusSnipra) SnipraName->setFocus();
        return;
    }
    if (!PassesReservedQuestion(check)) return;
    const EditorSetup setup = SetupOfType(entry.type, entry.selectedCode, globalUsed_);
    rec.ActivationCode = setup.activationCode;
    ResultModify = false;
    ResultUpdated = script_.ScriptNewMacro(this, setup.globalKeyTaken);
    accept();
}

void TAddNewHotKey::DoCapture() {
    TMacroRecord& rec = context_.core.CurrentMacro;
    TGlobData& glob = context_.core.GlobData;
    const AddEntry entry = Entry();
    const AddCheck check = CheckAddEntry(entry, rec);
    if (!check.ok) {
        forms::ErrorBox(check.error);
        if (check.focusSnipra) SnipraName->setFocus();
        return;
    }
    if (!PassesReservedQuestion(check)) return;
    const EditorSetup setup = SetupOfType(entry.type, entry.selectedCode, globalUsed_);
    if (NewMacroNumber < 1 || NewMacroNumber > kMaxMacros) return;
    rec.ActivationCode = setup.activationCode;
    glob.ActivationCode[NewMacroNumber] = setup.activationCode;
    QtmUpItem(&glob, NewMacroNumber);
    context_.core.Notices()(puPullMacro, NewMacroNumber);

    TCaptureKeys dialog(context_, capture_, this);
    dialog.HotKeyLabel->setText(
        rec.ActivationCode == acAbbreviation  ? "Snipra: " + win::ToQt(rec.Abbreviation.view().substr(0, 20))
        : rec.ActivationCode == acWindowTitle ? "Window Title: " + win::ToQt(rec.ScopeText.view())
                                              : win::ToQt(HotKeyNames(rec.ActivationCode)));
    dialog.GlobalTaken = entry.type == MacroType::HotKey && setup.globalKeyTaken;
    dialog.CaptureMacroNumber = NewMacroNumber;
    dialog.Recapture = false;
    dialog.exec();
    ResultModify = dialog.MacroCounted;
    ResultUpdated = CaptureStarted = dialog.CaptureStarted;
    accept();
}

}  // namespace tessaro
