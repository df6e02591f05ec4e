#include "widgets/recipient_delegate.h"

#include <QFontMetricsF>
#include <QPainter>

namespace tessaro {

QString FitTextToWidth(QString text, qreal width, const QFontMetricsF& metrics) {
    while (!text.isEmpty() && metrics.horizontalAdvance(text) > width) text.chop(1);
    return text;
}

void RecipientItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& pal = option.palette;
    painter->save();
    painter->fillRect(r, selected ? pal.highlight() : pal.base());
    const int half = r.width() / 2;
    const QString line = index.data(Qt::DisplayRole).toString();
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    const QString name = bar < 0 ? QString() : line.left(bar);
    const QString address = bar < 0 ? line : line.mid(bar + 1);
    const QFontMetricsF metrics(option.font);
    const qreal width = r.width() - kMargin - half;
    painter->setFont(option.font);
    painter->setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
    const qreal baseline = r.top() + metrics.ascent();
    painter->drawText(QPointF(r.left() + kMargin, baseline), FitTextToWidth(name, width, metrics));
    painter->drawText(QPointF(r.left() + half + kMargin, baseline), FitTextToWidth(address, width, metrics));
    painter->setPen(QPen(QColor(128, 128, 128), 1, Qt::SolidLine));
    painter->drawLine(r.left() + half, r.top(), r.left() + half, r.bottom());
    painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter->restore();
}

QSize RecipientItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(QFontMetrics(option.font).height() + 2);
    return s;
}

}  // namespace tessaro
