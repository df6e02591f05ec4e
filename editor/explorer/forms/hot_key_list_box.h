#pragma once
// The list of the 721 hot keys with their use, drawn in two columns.
#include <QListWidget>

#include "protocol/glob_data.h"

namespace tessaro {

class HotKeyListBox : public QListWidget {
    Q_OBJECT
public:
    explicit HotKeyListBox(QWidget* parent = nullptr);
    void FillList(const TGlobData& glob);
    // The selected code, -1 when none.
    int SelectedCode() const;
    // Selects and shows the row of a code; false (nothing changed) outside the rows.
    bool SelectCode(int code);
};

}  // namespace tessaro
