#pragma once
// A list whose every entry takes one row: line breaks and other control characters in an
// entry's text are shown as blanks (a row that wrapped would look like lines of their own).
class QAbstractItemView;

namespace tessaro {

void ShowEntriesOnOneRow(QAbstractItemView& view);

}  // namespace tessaro
