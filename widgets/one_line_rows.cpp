#include "widgets/one_line_rows.h"

#include <QAbstractItemView>
#include <QStyledItemDelegate>

namespace tessaro {

namespace {

class OneRow final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override {
        QString text = QStyledItemDelegate::displayText(value, locale);
        for (QChar& c : text)
            if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
                c == QChar::ParagraphSeparator)
                c = u' ';
        return text;
    }
};

}  // namespace

void ShowEntriesOnOneRow(QAbstractItemView& view) { view.setItemDelegate(new OneRow(&view)); }

}  // namespace tessaro
