#include "editor/commands/datetime_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QStyledItemDelegate>

namespace tessaro {
namespace {

constexpr int kExampleRole = Qt::UserRole + 1;

// The format at the left, its example from the middle of the row.
class FormatDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        const bool selected = o.state & QStyle::State_Selected;
        painter->fillRect(o.rect, selected ? o.palette.highlight() : o.palette.base());
        painter->setPen(selected ? o.palette.highlightedText().color() : o.palette.text().color());
        const QRect left = o.rect.adjusted(2, 0, 0, 0);
        painter->drawText(left, Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
        QRect right = o.rect;
        right.setLeft(o.rect.left() + o.rect.width() / 2);
        painter->drawText(right, Qt::AlignLeft | Qt::AlignVCenter, index.data(kExampleRole).toString());
    }
};

}  // namespace

TDateOrTime::TDateOrTime(QWidget* owner, bool isTime, TConfigRecord& settings)
    : CommandDialog(owner, "TDateOrTime", isTime ? tr("Times") : tr("Dates")),
      isTime_(isTime),
      settings_(settings) {
    SetHelpKey(isTime ? "TDateOrTime.Time" : "TDateOrTime.Date");
    TheFormat = new QListWidget(this);
    TheFormat->setObjectName("TheFormat");
    TheFormat->setItemDelegate(new FormatDelegate(TheFormat));
    TheFormat->setMinimumWidth(320);
    for (int i = 0; i < DateTimeFormatCount(isTime); ++i) {
        auto* item = new QListWidgetItem(QString::fromLatin1(DateTimeFormat(isTime, i).data(),
                                                             qsizetype(DateTimeFormat(isTime, i).size())));
        item->setData(kExampleRole, QString::fromLatin1(DateTimeExample(isTime, i).data(),
                                                        qsizetype(DateTimeExample(isTime, i).size())));
        TheFormat->addItem(item);
    }
    TitleLabel =
        NewLabel("TitleLabel", isTime ? tr("Select Time Format") : tr("Select Date Format"), TheFormat);
    Body()->addWidget(TitleLabel);
    Body()->addWidget(TheFormat);
    Suppress = NewCheck("Suppress", tr("Do not show leading zeros"));
    Body()->addWidget(Suppress);
    Days = NewEdit("Days", 3);
    sdlab1 = NewLabel("sdlab1", tr("Set date"), Days);
    sdlab2 = NewLabel("sdlab2", tr("days into"));
    auto* future = new QRadioButton(tr("&future"), this);
    future->setObjectName("Future");
    auto* past = new QRadioButton(tr("&past"), this);
    past->setObjectName("Past");
    Future = future;
    Past = past;
    auto* row = new QHBoxLayout;
    for (QWidget* w :
         {static_cast<QWidget*>(sdlab1), static_cast<QWidget*>(Days), static_cast<QWidget*>(sdlab2),
          static_cast<QWidget*>(future), static_cast<QWidget*>(past)})
        row->addWidget(w);
    row->addStretch();
    Body()->addLayout(row);
    for (QWidget* w :
         {static_cast<QWidget*>(sdlab1), static_cast<QWidget*>(Days), static_cast<QWidget*>(sdlab2),
          static_cast<QWidget*>(future), static_cast<QWidget*>(past)})
        ShowEnable(w, !isTime);
    connect(TheFormat, &QListWidget::itemDoubleClicked, this, [this] { OkButtonClick(); });
}

void TDateOrTime::Preset(const DateTimeForm& f) {
    TheFormat->setCurrentRow(f.Selected);
    Suppress->setChecked(f.Suppress);
    SetText(Days, f.Days);
    (f.Future ? Future : Past)->setChecked(true);
}

void TDateOrTime::SetDefaults() { Preset(DateTimeDefaults(isTime_, settings_)); }

void TDateOrTime::FocusFirst() {
    DateTimeText.clear();
    TheFormat->setFocus(Qt::OtherFocusReason);
}

void TDateOrTime::OkButtonClick() {
    DateTimeForm f;
    f.IsTime = isTime_;
    f.Selected = TheFormat->currentRow();
    f.Suppress = Suppress->isChecked();
    const auto days = ReadText(Days);
    if (!days) return;
    f.Days = *days;
    f.Future = Future->isChecked();
    Result = BuildDateTime(f);
    if (!Result.ok()) {
        Refuse(*Result.error);
        return;
    }
    if (Result.CommandText.empty()) return;  // no format chosen
    RememberDateTime(f, settings_);
    DateTimeText = Result.CommandText;
    Accept(Result);
}

}  // namespace tessaro
