#include "widgets/draw_grid.h"

#include <QHeaderView>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

#include "tests/support/qt_app.h"

using tessaro::GridError;
using tessaro::TMyDrawGrid;

namespace {

class DrawGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        grid_ = std::make_unique<TMyDrawGrid>();
        grid_->SetColCount(5);
        grid_->SetRowCount(10);
        grid_->SetFixedCols(1);
        grid_->SetFixedRows(1);
        grid_->SetDefaultColWidth(80);
        grid_->SetOptions(tessaro::goColSizing | tessaro::goRowSelect | tessaro::goVertLine);
        grid_->resize(600, 300);
        grid_->OnColumnSized = [this](TMyDrawGrid* sender, int col, int width) {
            EXPECT_EQ(sender, grid_.get());
            EXPECT_EQ(grid_->ColWidths(col), width);  // the width is in place when we hear of it
            sized_.emplace_back(col, width);
        };
        grid_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid_.get()));
    }

    // Drags the right border of `col` in the title row by `dx`, in steps as a hand would.
    void DragBorder(int col, int dx) {
        QHeaderView* title = grid_->horizontalHeader();
        QWidget* vp = title->viewport();
        const int y = title->height() / 2;
        const int x = title->sectionViewportPosition(col) + title->sectionSize(col) - 1;
        QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(x, y));
        for (int step = 1; step <= 4; ++step) QTest::mouseMove(vp, QPoint(x + dx * step / 4, y));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(x + dx, y));
    }

    std::unique_ptr<TMyDrawGrid> grid_;
    std::vector<std::pair<int, int>> sized_;
};

TEST_F(DrawGridTest, DraggingAColumnBorderReportsOnceOnRelease) {
    DragBorder(1, 40);
    ASSERT_EQ(sized_.size(), 1u);
    EXPECT_EQ(sized_[0].first, 1);
    EXPECT_EQ(sized_[0].second, 120);
    EXPECT_EQ(grid_->ColWidths(1), 120);
    EXPECT_EQ(grid_->ColWidths(2), 80);

    DragBorder(3, -30);
    ASSERT_EQ(sized_.size(), 2u);
    EXPECT_EQ(sized_[1], std::make_pair(3, 50));
}

TEST_F(DrawGridTest, DraggingOntoTheLeftEdgeKeepsTheWidthAndReportsNothing) {
    DragBorder(2, -79);  // width 1
    EXPECT_EQ(grid_->ColWidths(2), 80);
    DragBorder(2, -200);  // past the left edge
    EXPECT_EQ(grid_->ColWidths(2), 80);
    EXPECT_TRUE(sized_.empty());
}

TEST_F(DrawGridTest, CodeWidthsRowsAndLockedSizingReportNothing) {
    grid_->SetColWidths(2, 33);
    grid_->SetDefaultColWidth(70);
    grid_->SetRowHeights(3, 40);
    grid_->SetRowHeights(0, 30);
    grid_->SetDefaultRowHeight(20);
    EXPECT_EQ(grid_->ColWidths(4), 70);
    EXPECT_EQ(grid_->RowHeights(5), 20);
    EXPECT_TRUE(sized_.empty());

    grid_->SetOptions(tessaro::goRowSelect);  // no column sizing
    DragBorder(1, 40);
    EXPECT_EQ(grid_->ColWidths(1), 70);
    EXPECT_TRUE(sized_.empty());

    // Changing the shape keeps the widths the user gave the columns.
    grid_->SetColWidths(1, 150);
    grid_->SetRowCount(3);
    grid_->SetColCount(6);
    EXPECT_EQ(grid_->ColWidths(1), 150);
}

TEST_F(DrawGridTest, OwnerDrawsEveryCellWithItsState) {
    std::map<std::pair<int, int>, int> drawn;
    grid_->OnDrawCell = [&](TMyDrawGrid* sender, int col, int row, const QRect& rect, int state,
                            QPainter& canvas) {
        EXPECT_EQ(sender, grid_.get());
        EXPECT_TRUE(canvas.isActive());
        EXPECT_FALSE(rect.isEmpty());
        drawn[{col, row}] = state;
    };
    grid_->SetRow(4);
    grid_->grab();
    ASSERT_TRUE(drawn.count({2, 0}));
    auto state = [&](int col, int row) { return drawn[std::make_pair(col, row)]; };
    EXPECT_EQ(state(2, 0), tessaro::gdFixed);  // title row
    EXPECT_EQ(state(0, 5), tessaro::gdFixed);  // fixed column
    EXPECT_EQ(state(2, 5) & tessaro::gdSelected, 0);
    EXPECT_NE(state(2, 4) & tessaro::gdSelected, 0);  // the selected row
    EXPECT_TRUE(drawn.count({4, 9}));
    EXPECT_FALSE(drawn.count({0, 10}));
    EXPECT_EQ(grid_->Row(), 4);
}

TEST_F(DrawGridTest, MouseToCellCountsTheTitleRow) {
    QHeaderView* title = grid_->horizontalHeader();
    int col = 0, row = 0;
    const QPoint inTitle = title->mapTo(grid_.get(), QPoint(title->sectionViewportPosition(2) + 5, 3));
    ASSERT_TRUE(grid_->MouseToCell(inTitle, col, row));
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(2, 0));

    QWidget* vp = grid_->viewport();
    const QPoint inBody = vp->mapTo(
        grid_.get(), QPoint(grid_->columnViewportPosition(3) + 5, grid_->rowViewportPosition(2) + 5));
    ASSERT_TRUE(grid_->MouseToCell(inBody, col, row));
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(3, 3));  // model row 2 is grid row 3

    EXPECT_FALSE(grid_->MouseToCell(QPoint(590, 295), col, row));  // beyond the last column
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(-1, -1));
}

TEST_F(DrawGridTest, OwnerCanRefuseACell) {
    grid_->SetRow(2);
    grid_->setFocus();
    grid_->OnSelectCell = [](TMyDrawGrid*, int, int row, bool& can) { can = row != 3; };
    QTest::keyClick(grid_.get(), Qt::Key_Down);
    EXPECT_EQ(grid_->Row(), 2);
    grid_->SetRow(3);
    EXPECT_EQ(grid_->Row(), 2);
    grid_->SetRow(5);
    EXPECT_EQ(grid_->Row(), 5);
    QTest::keyClick(grid_.get(), Qt::Key_Down);
    EXPECT_EQ(grid_->Row(), 6);
}

TEST_F(DrawGridTest, BadCountsAndIndexesRaiseTheGridErrors) {
    auto message = [](auto&& f) {
        try {
            f();
        } catch (const GridError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { grid_->SetFixedRows(10); }), "Fixed row count must be less than row count");
    EXPECT_EQ(message([&] { grid_->SetFixedCols(5); }), "Fixed column count must be less than column count");
    EXPECT_EQ(message([&] { grid_->ColWidths(5); }), "Grid index out of range");
    EXPECT_EQ(message([&] { grid_->SetRowHeights(-1, 3); }), "Grid index out of range");
    EXPECT_EQ(message([&] { grid_->SetRow(0); }), "Grid index out of range");
    EXPECT_EQ(grid_->FixedRows(), 1);
    EXPECT_EQ(grid_->FixedCols(), 1);

    // Shrinking below the fixed counts takes them down with it.
    grid_->SetColCount(1);
    EXPECT_EQ(grid_->FixedCols(), 0);
    grid_->SetRowCount(1);
    EXPECT_EQ(grid_->FixedRows(), 0);
}

}  // namespace
