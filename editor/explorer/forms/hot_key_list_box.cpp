#include "editor/explorer/forms/hot_key_list_box.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <cmath>

#include "editor/explorer/forms/form_support.h"
#include "editor/model/macro_forms/hot_key_list.h"

namespace tessaro {

namespace {

// The name at the left, the use from three fifths of the row on.
class TwoColumns : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        p->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        p->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QStringList columns = index.data(Qt::UserRole).toStringList();
        QRect r = option.rect.adjusted(2, 0, 0, 0);
        p->drawText(r, Qt::AlignVCenter | Qt::AlignLeft, columns.value(0));
        r.setLeft(option.rect.left() + option.rect.width() / 5 * 3);
        p->drawText(r, Qt::AlignVCenter | Qt::AlignLeft, columns.value(1));
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(std::max(s.height(), int(std::lround(18 * option.widget->devicePixelRatioF()))));
        return s;
    }
};

}  // namespace

HotKeyListBox::HotKeyListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TwoColumns(this));
    setUniformItemSizes(true);
    setMinimumWidth(fontMetrics().horizontalAdvance(QString(50, 'x')));
}

void HotKeyListBox::FillList(const TGlobData& glob) {
    clear();
    for (const std::string& row : HotKeyListRows(glob)) {
        auto* item = new QListWidgetItem(win::ToQt(row), this);
        const auto [name, use] = HotKeyRowColumns(row);
        item->setData(Qt::UserRole, QStringList{win::ToQt(name), win::ToQt(use)});
    }
}

int HotKeyListBox::SelectedCode() const {
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? row(item) : -1;
}

bool HotKeyListBox::SelectCode(int code) {
    if (code < 0 || code >= count()) return false;
    setCurrentRow(code);
    scrollToItem(item(code));
    return true;
}

}  // namespace tessaro
