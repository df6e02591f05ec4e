#include "widgets/draw_grid.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace tessaro {

// Cells hold no data of their own: the owner draws them.
class TMyCustomGrid::Model : public QAbstractTableModel {
public:
    explicit Model(TMyCustomGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : grid_->rowCount_ - grid_->fixedRows_;
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : grid_->colCount_;
    }
    QVariant data(const QModelIndex&, int) const override { return {}; }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (index.column() < grid_->fixedCols_) return Qt::ItemIsEnabled;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }
    void Reset(const std::function<void()>& change) {
        beginResetModel();
        change();
        endResetModel();
    }

private:
    TMyCustomGrid* grid_;
};

class TMyCustomGrid::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(TMyCustomGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        TGridDrawState state = 0;
        if (option.state & QStyle::State_Selected) state |= gdSelected;
        if (option.state & QStyle::State_HasFocus) state |= gdFocused;
        if (index.column() < grid_->fixedCols_) state = gdFixed;
        painter->save();
        grid_->PaintCell(*painter, index.column(), index.row() + grid_->fixedRows_, option.rect, state);
        painter->restore();
    }

private:
    TMyCustomGrid* grid_;
};

// The title row. Qt resizes the column live while the border is dragged; the owner hears
// of it once, when the button is released.
class TMyCustomGrid::TitleRow : public QHeaderView {
public:
    explicit TitleRow(TMyCustomGrid* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid) {
        setSectionsClickable(false);
        setHighlightSections(false);
        setMinimumSectionSize(0);
        connect(this, &QHeaderView::sectionResized, this, [this](int col, int oldSize, int) {
            if (pressed_ && !restoring_ && sizedCol_ < 0) {
                sizedCol_ = col;
                sizedFrom_ = oldSize;
            }
        });
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int col) const override {
        painter->save();
        grid_->PaintCell(*painter, col, 0, rect, gdFixed);
        painter->restore();
    }
    void mousePressEvent(QMouseEvent* e) override {
        pressed_ = e->button() == Qt::LeftButton;
        sizedCol_ = -1;
        QHeaderView::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QHeaderView::mouseReleaseEvent(e);
        if (e->button() != Qt::LeftButton) return;
        pressed_ = false;
        const int col = std::exchange(sizedCol_, -1);
        if (col < 0) return;
        const int width = sectionSize(col);
        if (width <= 1) {
            // Dragged onto the column's own left edge: the width stays as it was.
            restoring_ = true;
            resizeSection(col, sizedFrom_);
            restoring_ = false;
            return;
        }
        grid_->ColumnSized(col, width);
        grid_->viewport()->update();
    }

private:
    TMyCustomGrid* grid_;
    bool pressed_ = false;
    bool restoring_ = false;
    int sizedCol_ = -1;
    int sizedFrom_ = 0;
};

TMyCustomGrid::TMyCustomGrid(QWidget* parent)
    : QTableView(parent), model_(new Model(this)), title_(new TitleRow(this)) {
    fixedColor_ = palette().color(QPalette::Button);
    setHorizontalHeader(title_);
    setModel(model_);
    setItemDelegate(new Delegate(this));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    title_->setStretchLastSection(false);
    SetDefaultColWidth(defaultColWidth_);
    SetDefaultRowHeight(defaultRowHeight_);
    ApplyOptions();
}

TMyCustomGrid::~TMyCustomGrid() = default;

void TMyCustomGrid::Reshape() {
    // Keep the widths the columns had: a model reset would fall back to the default.
    std::vector<int> widths;
    for (int c = 0; c < title_->count(); ++c) widths.push_back(title_->sectionSize(c));
    model_->Reset([] {});
    for (int c = 0; c < colCount_ && c < static_cast<int>(widths.size()); ++c)
        title_->resizeSection(c, widths[static_cast<std::size_t>(c)]);
    title_->setVisible(fixedRows_ > 0);
}

void TMyCustomGrid::SetColCount(int n) {
    if (n < 1) n = 1;
    if (n == colCount_) return;
    if (n <= fixedCols_) fixedCols_ = n - 1;
    colCount_ = n;
    Reshape();
}

void TMyCustomGrid::SetRowCount(int n) {
    if (n < 1) n = 1;
    if (n == rowCount_) return;
    if (n <= fixedRows_) fixedRows_ = n - 1;
    rowCount_ = n;
    Reshape();
}

void TMyCustomGrid::SetFixedCols(int n) {
    if (n < 0) throw GridError("Grid index out of range");
    if (n >= colCount_) throw GridError("Fixed column count must be less than column count");
    fixedCols_ = n;
    Reshape();
}

void TMyCustomGrid::SetFixedRows(int n) {
    if (n < 0) throw GridError("Grid index out of range");
    if (n >= rowCount_) throw GridError("Fixed row count must be less than row count");
    if (n > 1) throw GridError("Grid too large for operation");  // one title row at most
    fixedRows_ = n;
    Reshape();
}

void TMyCustomGrid::SetDefaultColWidth(int w) {
    defaultColWidth_ = w;
    title_->setDefaultSectionSize(w);
    for (int c = 0; c < title_->count(); ++c) title_->resizeSection(c, w);
}

void TMyCustomGrid::SetDefaultRowHeight(int h) {
    defaultRowHeight_ = h;
    verticalHeader()->setDefaultSectionSize(h);
    title_->setFixedHeight(h);
}

void TMyCustomGrid::CheckCol(int col) const {
    if (col < 0 || col >= colCount_) throw GridError("Grid index out of range");
}

void TMyCustomGrid::CheckRow(int row) const {
    if (row < 0 || row >= rowCount_) throw GridError("Grid index out of range");
}

int TMyCustomGrid::ColWidths(int col) const {
    CheckCol(col);
    return title_->sectionSize(col);
}

void TMyCustomGrid::SetColWidths(int col, int w) {
    CheckCol(col);
    title_->resizeSection(col, w);
}

int TMyCustomGrid::RowHeights(int row) const {
    CheckRow(row);
    if (row < fixedRows_) return title_->height();
    return verticalHeader()->sectionSize(row - fixedRows_);
}

void TMyCustomGrid::SetRowHeights(int row, int h) {
    CheckRow(row);
    if (row < fixedRows_)
        title_->setFixedHeight(h);
    else
        verticalHeader()->resizeSection(row - fixedRows_, h);
}

void TMyCustomGrid::SetOptions(TGridOptions o) {
    options_ = o;
    ApplyOptions();
}

void TMyCustomGrid::ApplyOptions() {
    title_->setSectionResizeMode((options_ & goColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
    setSelectionBehavior((options_ & goRowSelect) ? SelectRows : SelectItems);
    setSelectionMode(SingleSelection);
    setShowGrid(options_ & (goVertLine | goHorzLine));
}

int TMyCustomGrid::Col() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : fixedCols_;
}

int TMyCustomGrid::Row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + fixedRows_ : fixedRows_;
}

void TMyCustomGrid::SetRow(int row) {
    CheckRow(row);
    if (row < fixedRows_) throw GridError("Grid index out of range");
    const int col = std::max(Col(), fixedCols_);
    if (SelectCell(col, row)) setCurrentIndex(model_->index(row - fixedRows_, col));
}

void TMyCustomGrid::SetCol(int col) {
    CheckCol(col);
    if (col < fixedCols_) throw GridError("Grid index out of range");
    if (SelectCell(col, Row())) setCurrentIndex(model_->index(Row() - fixedRows_, col));
}

bool TMyCustomGrid::MouseToCell(const QPoint& pos, int& col, int& row) const {
    col = row = -1;
    if (fixedRows_ > 0 && title_->isVisible() && title_->geometry().contains(pos)) {
        col = title_->logicalIndexAt(pos.x() - title_->x());
        row = col < 0 ? -1 : 0;
        return col >= 0;
    }
    const QModelIndex at = indexAt(viewport()->mapFrom(this, pos));
    if (!at.isValid()) return false;
    col = at.column();
    row = at.row() + fixedRows_;
    return true;
}

void TMyCustomGrid::PaintCell(QPainter& painter, int col, int row, const QRect& rect, TGridDrawState state) {
    if (defaultDrawing_) {
        const QPalette& pal = palette();
        QColor fill = (state & gdFixed)      ? fixedColor_
                      : (state & gdSelected) ? pal.color(QPalette::Highlight)
                                             : pal.color(QPalette::Base);
        painter.fillRect(rect, fill);
        painter.setPen(pal.color((state & gdSelected) ? QPalette::HighlightedText : QPalette::Text));
    }
    DrawCell(painter, col, row, rect, state);
}

QModelIndex TMyCustomGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (next.isValid() && next != currentIndex() &&
        (next.column() < fixedCols_ || !SelectCell(next.column(), next.row() + fixedRows_)))
        return currentIndex();
    return next;
}

void TMyCustomGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && at != currentIndex() &&
        (at.column() < fixedCols_ || !SelectCell(at.column(), at.row() + fixedRows_))) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TMyCustomGrid::ColumnSized(int, int) {}
void TMyCustomGrid::DrawCell(QPainter&, int, int, const QRect&, TGridDrawState) {}
bool TMyCustomGrid::SelectCell(int, int) { return true; }

TMyDrawGrid::TMyDrawGrid(QWidget* parent) : TMyCustomGrid(parent) {
    connect(this, &QAbstractItemView::clicked, this, [this] {
        if (OnClick) OnClick(this);
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this] {
        if (OnDblClick) OnDblClick(this);
    });
}

void TMyDrawGrid::ColumnSized(int col, int width) {
    if (OnColumnSized) OnColumnSized(this, col, width);
}

void TMyDrawGrid::DrawCell(QPainter& painter, int col, int row, const QRect& rect, TGridDrawState state) {
    if (OnDrawCell) OnDrawCell(this, col, row, rect, state, painter);
}

bool TMyDrawGrid::SelectCell(int col, int row) {
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, col, row, can);
    return can;
}

}  // namespace tessaro
