#pragma once
// The rows of the "Macro Script" list: each line's display text, read from the lines and
// made into a row's text only when the view asks for it. A file of a hundred thousand lines
// has no object, and no copy of its text, per row.
#include <QAbstractListModel>
#include <QSize>
#include <QString>
#include <cstddef>
#include <string_view>
#include <vector>

#include "editor/script/script_line.h"

namespace tessaro {

// A display text on one row: its line breaks (a Text line's typed ones) as blanks, so that
// every row has the one height the list lays out with.
QString ShownText(std::string_view text1252);

class ScriptRows final : public QAbstractListModel {
public:
    // Rows over `lines`, which outlive the model.
    ScriptRows(const std::vector<ScriptLine>& lines, QObject* parent);

    // The lines changed: the view hears of the rows that changed, and only of those, so
    // its selection and scrolling stay where they were.
    void Show();
    // The size every row is laid out with: the view takes it from the last row.
    void SetRowSize(QSize size);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const std::vector<ScriptLine>& lines_;
    std::vector<std::size_t> shown_;  // a fingerprint of each row's text when last shown
    QSize rowSize_;
};

}  // namespace tessaro
