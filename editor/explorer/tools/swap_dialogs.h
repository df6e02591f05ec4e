#pragma once
// "Keyboard Remapper": the player's remapping table edited in place, entry by entry, and
// "Select Character", the picker of one replacement.
#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

#include "hook/client/glob_data_sync.h"

class QTableWidget;

namespace tessaro {

class TDoSwapSpecial : public QDialog {
    Q_OBJECT
public:
    // `initialIndex`: the current character's code - 32 (0 when below).
    TDoSwapSpecial(QWidget* owner, int initialIndex);

    QTableWidget* SymbolGrid;
    bool Chosen = false;
    std::uint8_t Character = 0;

    void OkButtonClick();
};

class TDoSwapKeys : public QDialog {
    Q_OBJECT
public:
    TDoSwapKeys(QWidget* owner, std::string swapFile, PeerNotify notify);

    QTableWidget* UpperGrid;
    QTableWidget* LowerGrid;
    QTableWidget* PunctGrid;
    QTableWidget* NumGrid;
    bool Changed = false;

    // Repaints the four grids from the player's table.
    void UpdateGrid();
    // A double click on a cell: only the second column opens the picker.
    void GridDblClick(QTableWidget* grid, int row, int column);

protected:
    void done(int result) override;
    // The picker, opened below the clicked cell (tests answer it).
    virtual bool Pick(QTableWidget* grid, int row, std::uint8_t& character);

private:
    std::size_t TableIndex(const QTableWidget* grid, int row) const;

    std::string swapFile_;
    PeerNotify notify_;
};

}  // namespace tessaro
