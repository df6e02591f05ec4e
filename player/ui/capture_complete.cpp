#include "player/ui/capture_complete.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QUrl>
#include <QVBoxLayout>

#include "widgets/entry_text.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "widgets/display_scale.h"
#include "widgets/on_top.h"
#include "widgets/screen_fit.h"
#include "widgets/kept_text.h"

namespace tessaro {

namespace {

constexpr int kUsageRole = Qt::UserRole + 1;

// Name at the left, the use count from three fifths of the width.
class TwoColumns : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const QString usage = index.data(kUsageRole).toString();
        o.text.clear();
        const QWidget* w = option.widget;
        (w ? w->style() : QApplication::style())->drawControl(QStyle::CE_ItemViewItem, &o, p, w);
        const QRect r = option.rect.adjusted(2, 0, -2, 0);
        const int split = r.left() + r.width() * 3 / 5;
        p->save();
        p->setPen(o.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                        : QPalette::Text));
        p->drawText(QRect(r.left(), r.top(), split - r.left(), r.height()), Qt::AlignVCenter | Qt::AlignLeft,
                    index.data(Qt::UserRole).toString());
        p->drawText(QRect(split, r.top(), r.right() - split, r.height()), Qt::AlignVCenter | Qt::AlignLeft,
                    usage);
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        // 18 pixels at the usual 96 dots per inch.
        const double factor = option.widget ? DisplayScale(*option.widget) : 1.0;
        return {QStyledItemDelegate::sizeHint(option, index).width(), static_cast<int>(18 * factor + 0.5)};
    }
};

}  // namespace

TCapComplete::TCapComplete(win::Messages& messages, TMacroRecord& rec, const TGlobData& glob,
                           SecWindRoute& route, bool capGlobal, std::string topProgram,
                           std::string programDirectory)
    : rec_(rec),
      glob_(glob),
      route_(route),
      topProgram_(std::move(topProgram)),
      programDirectory_(std::move(programDirectory)) {
    setWindowTitle("Capture Complete");
    MakeOnTop(*this);
    auto* layout = new QVBoxLayout(this);

    auto* nickRow = new QHBoxLayout;
    auto* nickLabel = new QLabel("NickName", this);
    NickName = new QLineEdit(win::ToQt(rec.Nickname.str()), this);
    LimitTyping(*NickName, 50);
    nickLabel->setBuddy(NickName);
    nickRow->addWidget(nickLabel);
    nickRow->addWidget(NickName, 1);
    layout->addLayout(nickRow);

    auto* choices = new QHBoxLayout;
    auto* typeBox = new QGroupBox(this);
    auto* typeLayout = new QVBoxLayout(typeBox);
    HotKeysButton = new QRadioButton("&Hot Keys", typeBox);
    SnipraButton = new QRadioButton("&Snipra", typeBox);
    NoneButton = new QRadioButton("&None (use later)", typeBox);
    for (QRadioButton* b : {HotKeysButton, SnipraButton, NoneButton}) typeLayout->addWidget(b);
    auto* scopeBox = new QGroupBox(this);
    auto* scopeLayout = new QVBoxLayout(scopeBox);
    GlobalButton = new QRadioButton("&Global", scopeBox);
    ProgramButton = new QRadioButton("&Program", scopeBox);
    scopeLayout->addWidget(GlobalButton);
    scopeLayout->addWidget(ProgramButton);
    scopeLayout->addStretch();
    choices->addWidget(typeBox);
    choices->addWidget(scopeBox);
    layout->addLayout(choices);

    hotKeyPart_ = new QWidget(this);
    auto* hotLayout = new QVBoxLayout(hotKeyPart_);
    hotLayout->setContentsMargins(0, 0, 0, 0);
    SelectLabel = new QLabel("Select Hot Key", hotKeyPart_);
    PlaceLabel = new QLabel("Place cursor in field below and Press the Hot Key to select", hotKeyPart_);
    HotKeyEdit = new QLineEdit(hotKeyPart_);
    HotKeyEdit->setReadOnly(true);
    HotKeyList = new QListWidget(hotKeyPart_);
    HotKeyList->setItemDelegate(new TwoColumns(HotKeyList));
    HotKeyList->setUniformItemSizes(true);
    for (const HotKeyLine& line : HotKeyLines(glob)) {
        auto* item = new QListWidgetItem(win::ToQt(line.text), HotKeyList);
        item->setData(Qt::UserRole, win::ToQt(line.name));
        item->setData(kUsageRole, "(" + win::ToQt(line.usage) + ")");
    }
    for (QWidget* w : {static_cast<QWidget*>(SelectLabel), static_cast<QWidget*>(PlaceLabel),
                       static_cast<QWidget*>(HotKeyEdit), static_cast<QWidget*>(HotKeyList)})
        hotLayout->addWidget(w);
    layout->addWidget(hotKeyPart_, 1);

    snipraPart_ = new QWidget(this);
    auto* snipraLayout = new QHBoxLayout(snipraPart_);
    snipraLayout->setContentsMargins(0, 0, 0, 0);
    SnipraLabel = new QLabel("Snipra Name", snipraPart_);
    SnipraName = new QLineEdit(snipraPart_);
    LimitTyping(*SnipraName, 10);
    SnipraLabel->setBuddy(SnipraName);
    snipraLayout->addWidget(SnipraLabel);
    snipraLayout->addWidget(SnipraName, 1);
    layout->addWidget(snipraPart_);

    auto* buttons = new QHBoxLayout;
    OkButton = new QPushButton("&Ok", this);
    HelpButton = new QPushButton("&Help", this);
    OkButton->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(HelpButton);
    layout->addLayout(buttons);

    (capGlobal ? GlobalButton : ProgramButton)->setChecked(true);
    HotKeysButton->setChecked(true);
    for (QRadioButton* b : {HotKeysButton, SnipraButton, NoneButton})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on) TypeClick();
        });
    connect(HotKeyList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) HotKeyEdit->setText(HotKeyList->item(row)->data(Qt::UserRole).toString());
    });
    connect(OkButton, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    connect(HelpButton, &QPushButton::clicked, this, [this] { HelpButtonClick(); });
    HotKeyEdit->installEventFilter(this);

    // Hot keys chosen while the entry box has the focus arrive at this window.
    hotKeys_ = std::make_unique<HotKeyFields>(messages, *this, static_cast<HotKeyFieldOwner&>(*this));
    hotKeys_->AddField(*HotKeyEdit);
    TypeClick();
}

TCapComplete::~TCapComplete() { Route(false); }

CapType TCapComplete::type() const {
    return HotKeysButton->isChecked()  ? CapType::HotKeys
           : SnipraButton->isChecked() ? CapType::Snipra
                                       : CapType::None;
}

void TCapComplete::TypeClick() {
    const CapType t = type();
    hotKeyPart_->setVisible(t == CapType::HotKeys);
    snipraPart_->setVisible(t != CapType::None);
    SnipraLabel->setVisible(t == CapType::Snipra);
    SnipraName->setVisible(t == CapType::Snipra);
    const int wanted = CapCompleteHeight(t);
    layout()->activate();
    // The type's height, centred again like every window whose controls change.
    const int across = isVisible() ? width() : sizeHint().width();
    ResizeAfterChange(*this, QSize(across, std::max(wanted, minimumSizeHint().height())));
}

void TCapComplete::Route(bool on) {
    if (routed_ == on) return;
    routed_ = on;
    route_.SetSecWind(static_cast<std::uint32_t>(winId()), on);
}

bool TCapComplete::eventFilter(QObject* watched, QEvent* event) {
    if (watched == HotKeyEdit && event->type() == QEvent::FocusIn) Route(true);
    if (watched == HotKeyEdit && event->type() == QEvent::FocusOut) Route(false);
    return QDialog::eventFilter(watched, event);
}

void TCapComplete::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

void TCapComplete::done(int result) {
    Route(false);
    QDialog::done(result);
}

void TCapComplete::HotKeyChosen(int code) {
    if (code < 0 || code >= HotKeyList->count()) return;
    HotKeyList->setCurrentRow(code);
    HotKeyList->scrollToItem(HotKeyList->item(code));
}

void TCapComplete::OkButtonClick() {
    CapChoice c;
    c.type = type();
    c.global = GlobalButton->isChecked();
    c.code = HotKeyList->currentRow();
    if (HotKeyList->currentItem() == nullptr || !HotKeyList->currentItem()->isSelected()) c.code = -1;
    // The abbreviation is refused for a character it cannot store only when it is chosen.
    const auto snipra = c.type == CapType::Snipra ? EntryOrRefuse(SnipraName)
                                                  : std::optional(win::FromQt(SnipraName->text()));
    if (!snipra) return;
    const auto nickname = EntryOrRefuse(NickName);
    if (!nickname) return;
    c.snipra = *snipra;
    c.nickname = *nickname;
    const CapCheck check = CheckCapChoice(c, glob_);
    if (check.kind == CapCheck::Error) {
        win::MessageBox(check.text, check.caption, win::MbButtons::Ok, win::MbIcon::Error);
        if (check.focusSnipra) SnipraName->setFocus();
        return;
    }
    if (check.kind == CapCheck::Confirm && win::MessageBox(check.text, check.caption, win::MbButtons::YesNo,
                                                           win::MbIcon::Warning) != win::MbResult::Yes)
        return;
    ApplyCapChoice(c, topProgram_, rec_);
    accept();
}

void TCapComplete::HelpButtonClick() {
    const std::string help = win::JoinPath(programDirectory_, "TESSARO.HLP");
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(help))))
        win::MessageBox("The help file " + win::Utf8ToCp1252(help) + " could not be opened.", "Error",
                        win::MbButtons::Ok, win::MbIcon::Error);
}

}  // namespace tessaro
