#include "editor/explorer/tools/system_keys_dialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/commands/command_dialog.h"
#include "editor/explorer/forms/form_support.h"
#include "editor/model/macro_forms/window_routing.h"
#include "foundation/settings.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

struct SlotRow {
    const char* name;
    const char* label;
};

// In slot order (see kSystemSlotScope).
constexpr std::array<SlotRow, 5> kSlotRows{{
    {"TermProg", "Terminate Program"},
    {"ActProg", "Activate Editor"},
    {"StartCap", "Start/Stop Capture"},
    {"Resume", "Resume Pause"},
    {"MenuTop", "Display Menu of all Hot Keys associated with top most Window"},
}};

constexpr std::array<const char*, 3> kMenuShows{"First Part of Macro", "Icons", "Nickname and Scope"};

}  // namespace

TSystemKeys::TSystemKeys(QWidget* owner, win::Messages& messages, TGlobData& glob, LoadedMacroFile& file,
                         TConfigRecord& config, PeerNotify notify, int initialFocus)
    : QDialog(owner),
      messages_(messages),
      glob_(glob),
      file_(file),
      config_(config),
      notify_(std::move(notify)),
      uses_(MacroKeyUses(glob)),
      keys_(LoadSystemKeys(uses_)),
      initialSlot_(SystemSlotOfField(initialFocus)) {
    setWindowTitle(tr("System Hot Keys"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* keys = new QFormLayout;
    for (std::size_t s = 0; s < Fields.size(); ++s) {
        auto* field = new QLineEdit(this);
        field->setObjectName(kSlotRows[s].name);
        field->setReadOnly(true);
        field->setPlaceholderText(tr("(Press the Hot Key)"));
        field->setText(QString::fromStdString(HotKeyNames(keys_.Current[s])));
        field->installEventFilter(this);
        Fields[s] = field;
        keys->addRow(new QLabel(tr(kSlotRows[s].label)), field);
    }
    keys->addRow(new QLabel(tr("(Press the Hot Key)")));
    auto* shows = new QGroupBox(tr("What To Show On Popup Menu"));
    auto* showsLayout = new QVBoxLayout(shows);
    for (std::size_t i = 0; i < MenuShows.size(); ++i) {
        MenuShows[i] = new QRadioButton(tr(kMenuShows[i]), shows);
        showsLayout->addWidget(MenuShows[i]);
    }
    if (config_.SystemMenu >= 1 && config_.SystemMenu <= 3)
        MenuShows[std::size_t(config_.SystemMenu - 1)]->setChecked(true);

    auto* box = new QDialogButtonBox(this);
    QPushButton* ok = box->addButton(tr("&Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("OkButton");
    ok->setAutoDefault(false);
    QPushButton* cancel = box->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setAutoDefault(false);
    QPushButton* help = box->addButton(tr("&Help"), QDialogButtonBox::HelpRole);
    help->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TSystemKeys::OkButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, "SYSTEM Hot Keys"); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(keys);
    layout->addWidget(shows);
    layout->addWidget(box);
}

TSystemKeys::~TSystemKeys() { Route(false); }

void TSystemKeys::showEvent(QShowEvent* event) {
    if (!hotKeys_) {
        hotKeys_ = std::make_unique<HotKeyFields>(messages_, *this, static_cast<HotKeyFieldOwner&>(*this));
        for (QLineEdit* field : Fields) hotKeys_->AddField(*field);
        forms::CentreOnScreen(*this);
        Fields[std::size_t(initialSlot_)]->setFocus();
        // The focus event comes only once the window is active; keys may come sooner.
        focused_ = initialSlot_;
        Route(true);
    }
    QDialog::showEvent(event);
}

bool TSystemKeys::eventFilter(QObject* watched, QEvent* event) {
    for (std::size_t s = 0; s < Fields.size(); ++s) {
        if (watched != Fields[s]) continue;
        if (event->type() == QEvent::FocusIn) {
            focused_ = int(s);
            Route(true);
        } else if (event->type() == QEvent::FocusOut) {
            // The click that moved the focus is itself reported, after the field lost it.
            focused_ = -1;
            Route(false);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSystemKeys::Route(bool on) {
    if (routed_ == on) return;
    routed_ = on;
    SetSecWind(glob_, forms::NativeId(*this), on, notify_);
}

void TSystemKeys::EndHotKeyRouting() {
    focused_ = -1;
    Route(false);
}

void TSystemKeys::WMHotKeyChosen(int code) {
    if (focused_ < 0 || code < 0 || code >= kHotKeyCodeCount) return;
    const auto chosen = static_cast<std::uint16_t>(code);
    if (const std::string refused = SystemKeyTaken(uses_, chosen); !refused.empty()) {
        win::MessageBox(refused, "Error");
        return;
    }
    keys_.Current[std::size_t(focused_)] = chosen;
    Fields[std::size_t(focused_)]->setText(QString::fromStdString(HotKeyNames(chosen)));
}

void TSystemKeys::OkButtonClick() {
    if (SystemKeysRepeat(keys_)) {
        win::MessageBox(kSystemKeysTwice, "Error");
        return;
    }
    for (int s : ChangedSystemSlots(keys_)) {
        const int n = keys_.Macro[std::size_t(s)];
        if (n == 0) continue;
        TMacroRecord rec{};
        if (!file_.ReadMacroRecord(n, rec)) continue;
        rec.ActivationCode = keys_.Current[std::size_t(s)];
        if (file_.SaveMacroRecord(n, rec, true)) Changed = true;
    }
    for (std::size_t i = 0; i < MenuShows.size(); ++i)
        if (MenuShows[i]->isChecked()) config_.SystemMenu = int(i) + 1;
    SaveMiscSettings(config_);
    notify_(puSettingsMisc, 0);
    accept();
}

void TSystemKeys::done(int result) {
    Route(false);
    hotKeys_.reset();
    QDialog::done(result);
}

}  // namespace tessaro
