#pragma once
// A drop-down list that opens as a list of a set number of rows, whatever the style: some
// styles open a non-editable one as a menu over the box that shows every item the screen
// holds.
class QComboBox;

namespace tessaro {

void ShowRows(QComboBox& box, int rows);

}  // namespace tessaro
