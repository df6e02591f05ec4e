#pragma once
// How every recipient list box draws an entry "name|address": two columns split at the
// first "|", each cut at its end until it fits half the row, on a grey grid.
#include <QStyledItemDelegate>

class QFontMetricsF;

namespace tessaro {

// The text without as many last characters as it takes to fit `width` pixels; no ellipsis.
QString FitTextToWidth(QString text, qreal width, const QFontMetricsF& metrics);

class RecipientItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static constexpr int kMargin = 2;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace tessaro
