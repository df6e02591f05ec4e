#include "editor/explorer/tools/options_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/commands/command_dialog.h"
#include "editor/explorer/tools/mail_log_dialogs.h"
#include "editor/explorer/forms/form_support.h"
#include "editor/model/tools/mail_log_view.h"
#include "editor/model/tools/option_rules.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

template <typename T>
T* Named(QWidget* parent, const char* name, const QString& caption) {
    auto* w = new T(caption, parent);
    w->setObjectName(name);
    return w;
}

QLineEdit* Edit(QWidget* parent, const char* name, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    LimitTyping(*e, maxLength);
    return e;
}

QGroupBox* Group(const QString& title, std::initializer_list<QWidget*> children) {
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    for (QWidget* w : children) layout->addWidget(w);
    return box;
}

// "&Ok" and, unless the dialog has none, "&Cancel"; Ok runs `ok`.
template <typename Dialog>
QDialogButtonBox* Buttons(Dialog* dialog, bool withCancel, void (Dialog::*ok)()) {
    auto* box = new QDialogButtonBox(dialog);
    QPushButton* okButton = box->addButton(QObject::tr("&Ok"), QDialogButtonBox::AcceptRole);
    okButton->setObjectName("OkButton");
    okButton->setDefault(true);
    QObject::connect(okButton, &QPushButton::clicked, dialog, ok);
    if (withCancel) {
        QPushButton* cancel = box->addButton(QObject::tr("&Cancel"), QDialogButtonBox::RejectRole);
        cancel->setObjectName("CancelButton");
        QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    }
    return box;
}

}  // namespace

// ---- Settings ----

TPreference::TPreference(QWidget* owner, TConfigRecord& config, PeerNotify notify)
    : QDialog(owner), config_(config), notify_(std::move(notify)) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Settings"));
    DoTray = Named<QRadioButton>(this, "DoTray", tr("Show In &System Tray"));
    DoHide = Named<QRadioButton>(this, "DoHide", tr("Completely &Hide"));
    EMailPath = Edit(this, "EMailPath", 255);
    EMailLog = Edit(this, "EMailLog", 255);
    StartEditor = Named<QCheckBox>(this, "StartEditor", tr("St&art Editor on startup of Tessaro"));
    SoundOff = Named<QCheckBox>(this, "SoundOff", tr("&Turn off sound effects"));
    AutoHooks = Named<QCheckBox>(this, "AutoHooks", tr("&Auto Restore Keyboard Hooks"));

    auto* paths = new QGroupBox(tr("File Paths and Names"));
    auto* pathsLayout = new QVBoxLayout(paths);
    pathsLayout->addWidget(new QLabel(tr("File Containing E-Mail Recipient List")));
    pathsLayout->addWidget(EMailPath);
    pathsLayout->addWidget(new QLabel(tr("File Containing E-Mail Out Log")));
    pathsLayout->addWidget(EMailLog);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Group(tr("Tessaro Player"), {DoTray, DoHide}));
    layout->addWidget(paths);
    layout->addWidget(Group(tr("Miscellaneous"), {StartEditor, SoundOff, AutoHooks}));
    layout->addWidget(Buttons(this, true, &TPreference::OkButtonClick));

    (config.UseTray ? DoTray : DoHide)->setChecked(true);
    StartEditor->setChecked(config.StartEditor);
    SoundOff->setChecked(config.SoundOff);
    AutoHooks->setChecked(config.AutoHooks);
    EMailPath->setText(win::ToQt(config.EMailPath.view()));
    EMailLog->setText(win::ToQt(config.EMailLogPath.view()));
}

void TPreference::OkButtonClick() {
    config_.UseTray = DoTray->isChecked();
    notify_(puTrayIcon, config_.UseTray ? 1 : 0);
    config_.AutoHooks = AutoHooks->isChecked();
    config_.SoundOff = SoundOff->isChecked();
    config_.StartEditor = StartEditor->isChecked();
    config_.EMailPath.assign(TrimBlanks(win::FromQt(EMailPath->text())));
    config_.EMailLogPath.assign(TrimBlanks(win::FromQt(EMailLog->text())));
    SaveMiscSettings(config_);
    notify_(puSettingsMisc, 0);
    accept();
}

// ---- Network Considerations ----

TNetworkConsiderations::TNetworkConsiderations(QWidget* owner, TConfigRecord& config, PeerNotify notify,
                                               NetworkSwitches& main)
    : QDialog(owner),
      config_(config),
      notify_(std::move(notify)),
      main_(main),
      wasAutoSync_(config.AutoSync),
      wasNetworkMode_(config.NetworkMode) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Network Considerations"));
    NetworkOption = Named<QCheckBox>(this, "NetworkOption", tr("&File Locking of Macro Files"));
    AutoSync = Named<QCheckBox>(this, "AutoSync", tr("&Automatic Synchronization Updating"));
    Minutes = Edit(this, "Minutes", 2);
    auto* every = new QHBoxLayout;
    every->addWidget(new QLabel(tr("Synchronize every")));
    every->addWidget(Minutes);
    every->addWidget(new QLabel(tr("minutes")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NetworkOption);
    layout->addWidget(AutoSync);
    layout->addLayout(every);
    // The only button; Escape closes too, and closing applies the values.
    layout->addWidget(Buttons(this, false, &TNetworkConsiderations::OkButtonClick));

    NetworkOption->setChecked(config.NetworkMode);
    AutoSync->setChecked(config.AutoSync);
    Minutes->setText(QString::fromStdString(FormatThousands(config.SyncMinutes, 1, 0)));
    connect(NetworkOption, &QCheckBox::clicked, this, &TNetworkConsiderations::EnableDisable);
    EnableDisable();
}

void TNetworkConsiderations::EnableDisable() {
    AutoSync->setEnabled(NetworkOption->isChecked());
    Minutes->setEnabled(NetworkOption->isChecked());
}

void TNetworkConsiderations::done(int result) {
    if (!applied_) {
        applied_ = true;
        config_.NetworkMode = NetworkOption->isChecked();
        config_.AutoSync = AutoSync->isChecked();
        config_.SyncMinutes = static_cast<std::uint16_t>(
            std::min(LenientNumber(TrimBlanks(win::FromQt(Minutes->text()))), 65535L));
        if (config_.SyncMinutes == 0) config_.AutoSync = false;
        main_.SetSyncTimer(config_.AutoSync, config_.AutoSync && !wasAutoSync_);
        if (config_.NetworkMode && !wasNetworkMode_) main_.NetworkModeStarted();
    }
    QDialog::done(result);
}

void TNetworkConsiderations::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        OkButtonClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TNetworkConsiderations::OkButtonClick() {
    accept();
    SaveNetworkSettings(config_);
    notify_(puSettingsNetwork, 0);
}

// ---- Snipra Options ----

TSnipraOptions::TSnipraOptions(QWidget* owner, TConfigRecord& config, PeerNotify notify)
    : QDialog(owner), config_(config), notify_(std::move(notify)) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Snipra Options"));
    UsePrefix = Named<QRadioButton>(this, "UsePrefix", tr("Use &Prefix Keys"));
    UseSuffix = Named<QRadioButton>(this, "UseSuffix", tr("Use &Suffix Key"));
    PrefixKeys = Edit(this, "PrefixKeys", 2);
    Punct = Named<QCheckBox>(this, "Punct", tr("&Include Punctuation Chars"));
    Solitary = Named<QCheckBox>(this, "Solitary", tr("Solitary &Usage"));
    RetypeSuffix = Named<QCheckBox>(this, "RetypeSuffix", tr("R&etype Suffix Key"));
    CaseMatch =
        Named<QRadioButton>(this, "CaseMatch", tr("&Match Uppercase First Char Between Snipra &&Text"));
    CaseSense = Named<QRadioButton>(this, "CaseSense", tr("&Require Exact Upper/Lowercase Match on Snipra"));
    CaseNone = Named<QRadioButton>(this, "CaseNone", tr("&None"));
    NoRemove = Named<QCheckBox>(this, "NoRemove", tr("&Do Not Remove Keystrokes Typed"));

    auto* when =
        Group(tr("When To Activate"), {UsePrefix, UseSuffix, new QLabel(tr("Prefix Keys")), PrefixKeys});
    auto* global = new QGroupBox(tr("Global Options--Applies to All Snipra"));
    auto* globalLayout = new QVBoxLayout(global);
    globalLayout->addWidget(when);
    globalLayout->addWidget(Group(tr("Other"), {Punct, Solitary, RetypeSuffix}));
    auto* defaults = new QGroupBox(tr("Initial Default Values For New Snipra"));
    auto* defaultsLayout = new QVBoxLayout(defaults);
    defaultsLayout->addWidget(Group(tr("Case Sensitivity"), {CaseMatch, CaseSense, CaseNone}));
    defaultsLayout->addWidget(Group(tr("Other"), {NoRemove}));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(global);
    layout->addWidget(defaults);
    layout->addWidget(Buttons(this, true, &TSnipraOptions::OkButtonClick));

    Solitary->setChecked(config.SnipraSolitaryUsage);
    Punct->setChecked(config.SnipraUsePunctuation);
    RetypeSuffix->setChecked(config.SnipraRetypeSuffix);
    NoRemove->setChecked(config.SnipraNoRemove);
    (config.SnipraUseSuffix ? UseSuffix : UsePrefix)->setChecked(true);
    (config.SnipraCaseMode == 1   ? CaseMatch
     : config.SnipraCaseMode == 2 ? CaseSense
                                  : CaseNone)
        ->setChecked(true);
    PrefixKeys->setText(win::ToQt(config.SnipraPrefixKeys.view()));
    connect(UsePrefix, &QRadioButton::clicked, this, &TSnipraOptions::EnableDisable);
    connect(UseSuffix, &QRadioButton::clicked, this, &TSnipraOptions::EnableDisable);
    connect(PrefixKeys, &QLineEdit::textEdited, this, [this] { CheckPrefixKeys(false); });
    // Every leaving is checked: the edit tells its end of editing only after a change.
    PrefixKeys->installEventFilter(this);
    EnableDisable();
}

void TSnipraOptions::EnableDisable() {
    const bool prefix = UsePrefix->isChecked();
    PrefixKeys->setEnabled(prefix);
    Punct->setEnabled(!prefix);
    RetypeSuffix->setEnabled(!prefix);
}

bool TSnipraOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PrefixKeys && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window coming to the front is no leaving of the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) CheckPrefixKeys(true);
    }
    return QDialog::eventFilter(watched, event);
}

bool TSnipraOptions::CheckPrefixKeys(bool leaving) {
    const std::string error = PrefixKeysError(TrimBlanks(win::FromQt(PrefixKeys->text())), leaving);
    if (error.empty()) return true;
    // The box takes the focus from the field, which counts as leaving it: one box is enough.
    if (complaining_) return false;
    complaining_ = true;
    win::MessageBox(error, "Error");
    complaining_ = false;
    PrefixKeys->setFocus();
    return false;
}

void TSnipraOptions::OkButtonClick() {
    // Ok may come before the field was left: its leaving check still applies.
    if (PrefixKeys->isEnabled() && !CheckPrefixKeys(true)) return;
    config_.SnipraSolitaryUsage = Solitary->isChecked();
    config_.SnipraCaseMode = CaseSense->isChecked() ? 2 : CaseMatch->isChecked() ? 1 : 3;
    config_.SnipraUseSuffix = UseSuffix->isChecked();
    config_.SnipraPrefixKeys.assign(TrimBlanks(win::FromQt(PrefixKeys->text())).substr(0, 2));
    config_.SnipraNoRemove = NoRemove->isChecked();
    config_.SnipraUsePunctuation = Punct->isChecked();
    config_.SnipraRetypeSuffix = RetypeSuffix->isChecked();
    SaveSnipraSettings(config_);
    notify_(puSettingsSnipra, 0);
    accept();
}

// ---- Capture Defaults ----

TCaptureDefaults::TCaptureDefaults(QWidget* owner, TConfigRecord& config, PeerNotify notify)
    : QDialog(owner), config_(config), notify_(std::move(notify)) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Capture Defaults"));
    DoDouble = Named<QCheckBox>(this, "DoDouble", tr("Capture &Double <ALT> for Menus"));
    DoKey = Named<QCheckBox>(this, "DoKey", tr("Capture &Keystrokes"));
    DoMouse = Named<QCheckBox>(this, "DoMouse", tr("Capture &Mouse Relative To"));
    ToScreen = Named<QRadioButton>(this, "ToScreen", tr("&Screen"));
    ToWindow = Named<QRadioButton>(this, "ToWindow", tr("&Window"));
    ToPosition = Named<QRadioButton>(this, "ToPosition", tr("Positio&n"));
    DoSize = Named<QCheckBox>(this, "DoSize", tr("Capture Window Si&ze"));
    ClicksOnly = Named<QCheckBox>(this, "ClicksOnly", tr("Onl&y Capture Mouse Clicks"));
    DoPrompt = Named<QCheckBox>(this, "DoPrompt", tr("P&rompt on Capture"));
    DoTime = Named<QCheckBox>(this, "DoTime", tr("Captur&e At"));
    const char* speedNames[4] = {"ActualSpeed", "HalfSpeed", "DoubleSpeed", "QuadSpeed"};
    const QString speedCaptions[4] = {tr("&Actual Speed"), tr("&Half Speed"), tr("Do&uble Speed"),
                                      tr("&Quadruple Speed")};
    for (int i = 0; i < 4; ++i) Speeds[i] = Named<QRadioButton>(this, speedNames[i], speedCaptions[i]);
    ProgramButton = Named<QRadioButton>(this, "ProgramButton", tr("&Program"));
    GlobalButton = Named<QRadioButton>(this, "GlobalButton", tr("&Global"));

    auto* relative = new QWidget;  // the three radios form their own group
    auto* relativeLayout = new QVBoxLayout(relative);
    for (QWidget* w : {ToScreen, ToWindow, ToPosition}) relativeLayout->addWidget(w);
    auto* speeds = new QWidget;
    auto* speedsLayout = new QVBoxLayout(speeds);
    for (QRadioButton* r : Speeds) speedsLayout->addWidget(r);
    auto* help = new QPushButton(tr("&Help"), this);
    help->setObjectName("HelpButton");
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, "Capture Defaults"); });
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w :
         {static_cast<QWidget*>(DoDouble), static_cast<QWidget*>(DoKey), static_cast<QWidget*>(DoMouse),
          relative, static_cast<QWidget*>(DoSize), static_cast<QWidget*>(ClicksOnly),
          static_cast<QWidget*>(DoPrompt), static_cast<QWidget*>(DoTime), speeds})
        layout->addWidget(w);
    layout->addWidget(Group(tr("Scope"), {ProgramButton, GlobalButton}));
    auto* buttons = Buttons(this, true, &TCaptureDefaults::OkButtonClick);
    buttons->addButton(help, QDialogButtonBox::HelpRole);
    layout->addWidget(buttons);

    DoDouble->setChecked(config.CapDoubleAlt);
    DoKey->setChecked(config.CapKeys);
    DoMouse->setChecked(config.CapMouse);
    DoTime->setChecked(config.CapTime);
    DoPrompt->setChecked(config.CapPrompt);
    ClicksOnly->setChecked(config.CapClicksOnly);
    DoSize->setChecked(config.CapWindowSize);
    if (config.CapRelativeToScreen >= 1 && config.CapRelativeToScreen <= 3)
        (config.CapRelativeToScreen == 1   ? ToScreen
         : config.CapRelativeToScreen == 2 ? ToWindow
                                           : ToPosition)
            ->setChecked(true);
    (config.CapGlobal ? GlobalButton : ProgramButton)->setChecked(true);
    if (config.CapSpeed >= 1 && config.CapSpeed <= 4) Speeds[config.CapSpeed - 1]->setChecked(true);

    // At show: only these; Positio&n and the clicks box wait for a click on DoMouse.
    if (!DoMouse->isChecked()) {
        for (QWidget* w : {static_cast<QWidget*>(ToScreen), static_cast<QWidget*>(ToWindow),
                           static_cast<QWidget*>(DoSize)})
            w->setEnabled(false);
    }
    if (!ToWindow->isChecked()) DoSize->setEnabled(false);
    if (!DoKey->isChecked()) DoDouble->setEnabled(false);
    if (!DoTime->isChecked())
        for (QRadioButton* r : Speeds) r->setEnabled(false);

    connect(DoKey, &QCheckBox::clicked, this, [this](bool on) { DoDouble->setEnabled(on); });
    connect(DoMouse, &QCheckBox::clicked, this, [this](bool on) {
        for (QWidget* w : {static_cast<QWidget*>(ToScreen), static_cast<QWidget*>(ToWindow),
                           static_cast<QWidget*>(ToPosition), static_cast<QWidget*>(ClicksOnly)})
            w->setEnabled(on);
        DoSize->setEnabled(on && ToWindow->isChecked());
    });
    for (QRadioButton* r : {ToScreen, ToWindow, ToPosition})
        connect(r, &QRadioButton::clicked, this, [this] { DoSize->setEnabled(ToWindow->isChecked()); });
    connect(DoTime, &QCheckBox::clicked, this, [this](bool on) {
        for (QRadioButton* r : Speeds) r->setEnabled(on);
    });
}

void TCaptureDefaults::OkButtonClick() {
    config_.CapDoubleAlt = DoDouble->isChecked();
    config_.CapKeys = DoKey->isChecked();
    config_.CapMouse = DoMouse->isChecked();
    config_.CapTime = DoTime->isChecked();
    config_.CapPrompt = DoPrompt->isChecked();
    config_.CapClicksOnly = ClicksOnly->isChecked();
    config_.CapRelativeToScreen = ToScreen->isChecked() ? 1 : ToWindow->isChecked() ? 2 : 3;
    config_.CapWindowSize = DoSize->isChecked();
    config_.CapGlobal = GlobalButton->isChecked();
    config_.CapSpeed = Speeds[3]->isChecked()   ? 4
                       : Speeds[2]->isChecked() ? 3
                       : Speeds[1]->isChecked() ? 2
                                                : 1;
    SaveCaptureSettings(config_);
    notify_(puSettingsCapture, 0);
    accept();
}

// ---- E-Mail Options ----

TMyEmailOptions::TMyEmailOptions(QWidget* owner, TConfigRecord& config, PeerNotify notify)
    : QDialog(owner), config_(config), notify_(std::move(notify)) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("E-Mail Options"));
    Host = Edit(this, "Host", 50);
    Port = Edit(this, "Port", 5);
    Name = Edit(this, "Name", 50);
    Address = Edit(this, "Address", 50);
    Encoding = new QComboBox(this);
    Encoding->setObjectName("Encoding");
    Encoding->addItems({"MIME", "UUEncode"});
    KeepLog = Named<QCheckBox>(this, "KeepLog", tr("&Keep E-Mail Log"));

    auto* server = new QGroupBox(tr("SMTP Server"));
    auto* serverForm = new QFormLayout(server);
    serverForm->addRow(tr("Host"), Host);
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(Port);
    portRow->addWidget(new QLabel(tr("(normally 25)")));
    serverForm->addRow(tr("Port"), portRow);
    auto* you = new QGroupBox(tr("Your Default E-Mail Address"));
    auto* youForm = new QFormLayout(you);
    youForm->addRow(tr("Name"), Name);
    youForm->addRow(tr("Address"), Address);
    auto* other = new QGroupBox(tr("Other"));
    auto* otherForm = new QFormLayout(other);
    otherForm->addRow(tr("Attachment Encoding"), Encoding);
    otherForm->addRow(KeepLog);
    auto* view = new QPushButton(tr("&View Log"), this);
    view->setObjectName("ViewLog");
    connect(view, &QPushButton::clicked, this, &TMyEmailOptions::ViewLogClick);
    auto* buttons = Buttons(this, true, &TMyEmailOptions::OkButtonClick);
    buttons->addButton(view, QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(server);
    layout->addWidget(you);
    layout->addWidget(other);
    layout->addWidget(buttons);

    Host->setText(win::ToQt(config.SMTPHost.view()));
    Port->setText(QString::number(config.SMTPPort));
    Name->setText(win::ToQt(config.EMailName.view()));
    Address->setText(win::ToQt(config.EMailAddress.view()));
    Encoding->setCurrentIndex(config.AttachmentEncoding == 1 ? 1 : 0);
    KeepLog->setChecked(config.KeepLog);
}

void TMyEmailOptions::OkButtonClick() {
    std::int32_t port = 0;
    std::string error;
    if (!ReadMailPort(TrimBlanks(win::FromQt(Port->text())), port, error)) {
        win::MessageBox(error, "Error");
        Port->setFocus();
        return;
    }
    config_.SMTPHost.assign(TrimBlanks(win::FromQt(Host->text())));
    config_.SMTPPort = port;
    config_.EMailName.assign(TrimBlanks(win::FromQt(Name->text())));
    config_.EMailAddress.assign(TrimBlanks(win::FromQt(Address->text())));
    config_.AttachmentEncoding = std::max(Encoding->currentIndex(), 0);
    config_.KeepLog = KeepLog->isChecked();
    SaveEMailSettings(config_);
    notify_(puSettingsEMail, 0);
    accept();
}

void TMyEmailOptions::ViewLogClick() {
    TMyEMailLog log(this, std::string(config_.EMailLogPath.view()));
    log.exec();
}

}  // namespace tessaro
