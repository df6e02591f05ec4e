#include "editor/script/ui/script_rows.h"

#include <algorithm>
#include <functional>

#include "platform/cp1252.h"

namespace tessaro {

QString ShownText(std::string_view text1252) {
    // Most lines are plain ASCII, where Windows-1252 and Latin-1 agree.
    if (std::all_of(text1252.begin(), text1252.end(), [](char c) { return c >= 0x20 && c < 0x7F; }))
        return QString::fromLatin1(text1252.data(), static_cast<qsizetype>(text1252.size()));
    QString shown = QString::fromStdString(win::Cp1252ToUtf8(text1252));
    shown.replace(QLatin1String("\r\n"), QLatin1String(" "));
    shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
    shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return shown;
}

ScriptRows::ScriptRows(const std::vector<ScriptLine>& lines, QObject* parent)
    : QAbstractListModel(parent), lines_(lines) {}

void ScriptRows::Show() {
    const auto print = [](const ScriptLine& line) { return std::hash<std::string_view>()(line.Text); };
    // Only the rows between the unchanged head and the unchanged tail are touched.
    const std::size_t was = shown_.size();
    const std::size_t now = lines_.size();
    std::size_t head = 0;
    while (head < was && head < now && shown_[head] == print(lines_[head])) ++head;
    std::size_t tail = 0;
    while (tail < was - head && tail < now - head && shown_[was - 1 - tail] == print(lines_[now - 1 - tail]))
        ++tail;
    const std::size_t oldRows = was - head - tail;
    const std::size_t newRows = now - head - tail;
    const std::size_t common = std::min(oldRows, newRows);
    const auto at = [this](std::size_t row) { return shown_.begin() + static_cast<std::ptrdiff_t>(row); };

    for (std::size_t i = head; i < head + common; ++i) shown_[i] = print(lines_[i]);
    if (common > 0)
        emit dataChanged(index(static_cast<int>(head)), index(static_cast<int>(head + common - 1)),
                         {Qt::DisplayRole});
    if (oldRows > common) {
        beginRemoveRows(QModelIndex(), static_cast<int>(head + common), static_cast<int>(head + oldRows - 1));
        shown_.erase(at(head + common), at(head + oldRows));
        endRemoveRows();
    } else if (newRows > common) {
        beginInsertRows(QModelIndex(), static_cast<int>(head + common), static_cast<int>(head + newRows - 1));
        shown_.insert(at(head + common), newRows - common, 0);
        for (std::size_t i = head + common; i < head + newRows; ++i) shown_[i] = print(lines_[i]);
        endInsertRows();
    }
}

void ScriptRows::SetRowSize(QSize size) {
    if (size == rowSize_) return;
    // The view keeps the size it last took; a new layout takes this one.
    emit layoutAboutToBeChanged();
    rowSize_ = size;
    emit layoutChanged();
}

int ScriptRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant ScriptRows::data(const QModelIndex& index, int role) const {
    // The rows the view knows of, read from the lines as they are now: a row past their end
    // (the lines changed and have not been shown yet) reads as empty.
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return row < lines_.size() ? ShownText(lines_[row].Text) : QString();
    if (role == Qt::SizeHintRole && rowSize_.isValid()) return rowSize_;
    return {};
}

Qt::ItemFlags ScriptRows::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

}  // namespace tessaro
