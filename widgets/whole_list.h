#pragma once
// A short list of fixed entries shown whole: as wide as its longest entry and as high as all
// of them, so none is cut and no scroll bar is needed.
class QListWidget;

namespace tessaro {

void ShowWholeEntries(QListWidget& list);

}  // namespace tessaro
