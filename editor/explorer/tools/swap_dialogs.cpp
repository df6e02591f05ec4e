#include "editor/explorer/tools/swap_dialogs.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editor/commands/command_dialog.h"
#include "editor/explorer/forms/form_support.h"
#include "editor/model/tools/option_rules.h"
#include "editor/model/tools/swap_access.h"
#include "platform/cp1252.h"
#include "protocol/swap_keys.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

QString Char1252(std::uint8_t c) {
    return QString::fromStdString(win::Cp1252ToUtf8(std::string(1, char(c))));
}

constexpr int kColumns = 28;

// Where each grid's rows lie in the table.
struct GridPart {
    const char* name;
    const char* heading;
    std::size_t first;
    int rows;
};
constexpr GridPart kParts[4] = {{"UpperGrid", "Upper Case", 0, 26},
                                {"LowerGrid", "Lower Case", 26, 26},
                                {"PunctGrid", "Punctuation", 62, 31},
                                {"NumGrid", "Numeric", 52, 10}};

}  // namespace

TDoSwapSpecial::TDoSwapSpecial(QWidget* owner, int initialIndex) : QDialog(owner) {
    setWindowTitle(tr("Select Character"));
    SymbolGrid = new QTableWidget(8, kColumns, this);
    SymbolGrid->setObjectName("SymbolGrid");
    SymbolGrid->horizontalHeader()->hide();
    SymbolGrid->verticalHeader()->hide();
    SymbolGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SymbolGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SymbolGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SymbolGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < kColumns; ++c)
            SymbolGrid->setItem(
                r, c, new QTableWidgetItem(Char1252(static_cast<std::uint8_t>(r * kColumns + c + 32))));
    // 20-pixel cells need the headers' minimum below Qt's default, which is wider: without it
    // the last columns fall outside the fixed grid and their characters cannot be chosen.
    SymbolGrid->horizontalHeader()->setMinimumSectionSize(1);
    SymbolGrid->verticalHeader()->setMinimumSectionSize(1);
    for (int r = 0; r < 8; ++r) SymbolGrid->setRowHeight(r, 20);
    for (int c = 0; c < kColumns; ++c) SymbolGrid->setColumnWidth(c, 20);
    SymbolGrid->setFixedSize(SymbolGrid->horizontalHeader()->length() + 2 * SymbolGrid->frameWidth(),
                             SymbolGrid->verticalHeader()->length() + 2 * SymbolGrid->frameWidth());
    const int index = std::clamp(initialIndex, 0, 8 * kColumns - 1);
    SymbolGrid->setCurrentCell(index / kColumns, index % kColumns);
    connect(SymbolGrid, &QTableWidget::cellDoubleClicked, this, &TDoSwapSpecial::OkButtonClick);

    auto* ok = new QPushButton(tr("&Ok"), this);
    ok->setObjectName("OkButton");
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    cancel->setObjectName("CancelButton");
    connect(ok, &QPushButton::clicked, this, &TDoSwapSpecial::OkButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SymbolGrid);
    layout->addLayout(buttons);
    SymbolGrid->setFocus();
}

void TDoSwapSpecial::OkButtonClick() {
    Character =
        static_cast<std::uint8_t>(SymbolGrid->currentRow() * kColumns + SymbolGrid->currentColumn() + 32);
    Chosen = true;
    accept();
}

TDoSwapKeys::TDoSwapKeys(QWidget* owner, std::string swapFile, PeerNotify notify)
    : QDialog(owner), swapFile_(std::move(swapFile)), notify_(std::move(notify)) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Keyboard Remapper"));
    auto* grids = new QHBoxLayout;
    QTableWidget** members[4] = {&UpperGrid, &LowerGrid, &PunctGrid, &NumGrid};
    for (int g = 0; g < 4; ++g) {
        const GridPart& part = kParts[g];
        auto* grid = new QTableWidget(part.rows, 2, this);
        grid->setObjectName(part.name);
        grid->horizontalHeader()->hide();
        grid->verticalHeader()->hide();
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->horizontalHeader()->setMinimumSectionSize(1);  // the 20-pixel first column
        grid->setColumnWidth(0, 20);
        grid->setColumnWidth(1, 40);
        for (int r = 0; r < part.rows; ++r) {
            grid->setRowHeight(r, 20);
            auto* first = new QTableWidgetItem(Char1252(std::uint8_t(kSwapDefaultChars[part.first + r])));
            first->setBackground(QColor(192, 192, 192));
            first->setTextAlignment(Qt::AlignCenter);
            QFont bold = first->font();
            bold.setBold(true);
            first->setFont(bold);
            grid->setItem(r, 0, first);
            auto* second = new QTableWidgetItem;
            second->setTextAlignment(Qt::AlignCenter);
            grid->setItem(r, 1, second);
        }
        // Both columns always show: the width leaves room for the frame and the vertical
        // scroll bar, so no horizontal one is ever needed.
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        grid->setFixedWidth(grid->horizontalHeader()->length() + 2 * grid->frameWidth() +
                            grid->verticalScrollBar()->sizeHint().width());
        connect(grid, &QTableWidget::cellDoubleClicked, this,
                [this, grid](int row, int column) { GridDblClick(grid, row, column); });
        *members[g] = grid;
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(tr(part.heading), this));
        column->addWidget(grid);
        grids->addLayout(column);
    }
    auto* ok = new QPushButton(tr("&Ok"), this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    auto* help = new QPushButton(tr("&Help"), this);
    help->setObjectName("HelpButton");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, "Keyboard Remapper"); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grids);
    layout->addLayout(buttons);
    resize(sizeHint().width(), 520);
    UpdateGrid();
}

std::size_t TDoSwapKeys::TableIndex(const QTableWidget* grid, int row) const {
    const QTableWidget* grids[4] = {UpperGrid, LowerGrid, PunctGrid, NumGrid};
    for (int g = 0; g < 4; ++g)
        if (grids[g] == grid) return kParts[g].first + static_cast<std::size_t>(row);
    return kSwapKeyCount;
}

void TDoSwapKeys::UpdateGrid() {
    const auto table = ReadSwapTable();
    for (QTableWidget* grid : {UpperGrid, LowerGrid, PunctGrid, NumGrid}) {
        for (int r = 0; r < grid->rowCount(); ++r) {
            QTableWidgetItem* item = grid->item(r, 1);
            const std::size_t index = TableIndex(grid, r);
            const std::optional<char> entry = index < table.size() ? table[index] : std::nullopt;
            QFont font = item->font();
            font.setBold(entry && *entry != 0);
            item->setFont(font);
            // Without the player the column stays empty.
            item->setText(!entry ? QString() : *entry == 0 ? tr("none") : Char1252(std::uint8_t(*entry)));
        }
    }
}

bool TDoSwapKeys::Pick(QTableWidget* grid, int row, std::uint8_t& character) {
    const std::optional<char> entry = ReadSwapEntry(TableIndex(grid, row));
    TDoSwapSpecial picker(this, std::max(int(std::uint8_t(entry.value_or(0))) - 32, 0));
    picker.adjustSize();
    const QRect cell = grid->visualItemRect(grid->item(row, 1));
    const int y = grid->viewport()->mapToGlobal(cell.bottomLeft()).y();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const std::optional<int> top = SwapPickerTop(y, picker.height(), screen.height());
    picker.move((screen.width() - picker.width()) / 2, top.value_or((screen.height() - picker.height()) / 2));
    picker.exec();
    character = picker.Character;
    return picker.Chosen;
}

void TDoSwapKeys::GridDblClick(QTableWidget* grid, int row, int column) {
    if (column != 1) return;
    const std::size_t index = TableIndex(grid, row);
    if (!ReadSwapEntry(index)) return;  // no player: nothing to change
    std::uint8_t character = 0;
    if (Pick(grid, row, character)) {
        // The same character again still counts as a change: the file is written and the
        // player told.
        Changed = true;
        WriteSwapEntry(index, static_cast<char>(character));
    }
    UpdateGrid();
}

void TDoSwapKeys::done(int result) {
    if (Changed) {
        SaveSwapKeys(swapFile_);
        notify_(puSwapKeys, 0);
    }
    QDialog::done(result);
}

}  // namespace tessaro
