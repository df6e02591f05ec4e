#pragma once
// The owner-drawn grid of the macro list and the mail log: a table view whose cells the
// owner paints, which tells its owner once when the user has finished resizing a column.
// Row 0 is the title row when FixedRows is 1; fixed columns are drawn as fixed cells.
#include <QColor>
#include <QTableView>
#include <functional>
#include <stdexcept>

class QPainter;

namespace tessaro {

// The grid's errors, with the texts the owner may show.
class GridError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TGridDrawStateFlag { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = int;

enum TGridOption { goVertLine = 1, goHorzLine = 2, goColSizing = 4, goRowSelect = 8 };
using TGridOptions = int;

class TMyCustomGrid : public QTableView {
    Q_OBJECT
public:
    explicit TMyCustomGrid(QWidget* parent = nullptr);
    ~TMyCustomGrid() override;

    int ColCount() const { return colCount_; }
    void SetColCount(int n);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int n);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int n);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int n);  // 0 or 1
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int w);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int h);
    int ColWidths(int col) const;
    void SetColWidths(int col, int w);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int h);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions o);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool on) { defaultDrawing_ = on; }
    QColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(const QColor& c) { fixedColor_ = c; }

    // The selected cell (grid coordinates).
    int Col() const;
    int Row() const;
    void SetRow(int row);
    void SetCol(int col);

    // The cell under a point of the grid widget (the title row counts as row 0); false and
    // -1, -1 when the point is on no cell.
    bool MouseToCell(const QPoint& pos, int& col, int& row) const;

    // Paints one cell; the title row comes from the header, the others from the body.
    void PaintCell(QPainter& painter, int col, int row, const QRect& rect, TGridDrawState state);

protected:
    // Called once when the user has finished dragging a column border to a width above 1.
    virtual void ColumnSized(int col, int width);
    virtual void DrawCell(QPainter& painter, int col, int row, const QRect& rect, TGridDrawState state);
    virtual bool SelectCell(int col, int row);

    // Moves that the owner refuses (SelectCell false) leave the selection where it was.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    class Model;
    class Delegate;
    class TitleRow;
    friend class TitleRow;

    void CheckCol(int col) const;
    void CheckRow(int row) const;
    void Reshape();
    void ApplyOptions();

    Model* model_;
    TitleRow* title_;
    int colCount_ = 5, rowCount_ = 5, fixedCols_ = 1, fixedRows_ = 1;
    int defaultColWidth_ = 64, defaultRowHeight_ = 24;
    TGridOptions options_ = goVertLine | goHorzLine;
    bool defaultDrawing_ = true;
    QColor fixedColor_;
};

class TMyDrawGrid : public TMyCustomGrid {
    Q_OBJECT
public:
    explicit TMyDrawGrid(QWidget* parent = nullptr);

    std::function<void(TMyDrawGrid* sender, int col, int row, const QRect& rect, TGridDrawState state,
                       QPainter& canvas)>
        OnDrawCell;
    std::function<void(TMyDrawGrid* sender, int col, int row, bool& canSelect)> OnSelectCell;
    std::function<void(TMyDrawGrid* sender)> OnClick;
    std::function<void(TMyDrawGrid* sender)> OnDblClick;
    std::function<void(TMyDrawGrid* sender, int col, int width)> OnColumnSized;

protected:
    void ColumnSized(int col, int width) override;
    void DrawCell(QPainter& painter, int col, int row, const QRect& rect, TGridDrawState state) override;
    bool SelectCell(int col, int row) override;
};

}  // namespace tessaro
