#pragma once
// The pages that say how and where the new macro starts (1-3, 7-10, 37): the function's
// description, the activation and its hot key, Snipra name or schedule, the scope, the
// popup menu, the nickname and the icon.
#include <QStyledItemDelegate>

namespace tessaro {

// Draws a list row in two columns: the text before the separator at the left, the rest
// from three fifths of the width on; for "name  (remark)" rows the remark loses its
// parentheses.
class TwoColumnDelegate : public QStyledItemDelegate {
public:
    enum class Split { HotKeyRemark, Tab };
    TwoColumnDelegate(Split split, QObject* parent) : QStyledItemDelegate(parent), split_(split) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    Split split_;
};

}  // namespace tessaro
