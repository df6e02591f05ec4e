#include "widgets/page_control.h"

#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "tests/support/qt_app.h"

using tessaro::AcceleratorPage;
using tessaro::CaptionAccelerator;
using tessaro::PageTab;
using tessaro::TAPageControl;

namespace {

TEST(PageAccelerators, CaptionAcceleratorRules) {
    EXPECT_EQ(CaptionAccelerator("&Text / Mouse"), QChar('T'));
    EXPECT_EQ(CaptionAccelerator("&System / Windows"), QChar('S'));
    EXPECT_EQ(CaptionAccelerator("Save && E&xit"), QChar('x'));
    EXPECT_TRUE(CaptionAccelerator("Tom && Jerry").isNull());
    EXPECT_TRUE(CaptionAccelerator("Trailing&").isNull());
    EXPECT_TRUE(CaptionAccelerator("").isNull());
}

TEST(PageAccelerators, FirstShownPageInOrderWinsWithoutCase) {
    const std::vector<PageTab> pages = {
        {"&Macros", false}, {"&Text", true}, {"&Macro Control", true}, {"&more", true}};
    EXPECT_EQ(AcceleratorPage(pages, 'm'), 2);  // page 0 is hidden
    EXPECT_EQ(AcceleratorPage(pages, 'M'), 2);
    EXPECT_EQ(AcceleratorPage(pages, 't'), 1);
    EXPECT_EQ(AcceleratorPage(pages, 'x'), -1);
    EXPECT_EQ(AcceleratorPage({{"&Only", false}}, 'o'), -1);
    EXPECT_EQ(AcceleratorPage(pages, QChar()), -1);
}

class PageControlWidget : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        pages_ = new TAPageControl(window_.get());
        for (const char* caption : {"&Alpha", "&Beta", "B&ravo", "&Beta again"})
            pages_->addTab(new QWidget, caption);
        layout->addWidget(pages_);
        button_ = new QPushButton("&Go", window_.get());
        layout->addWidget(button_);
        pages_->OnChange = [this](TAPageControl* sender) {
            EXPECT_EQ(sender, pages_);
            changes_.push_back(pages_->currentIndex());
        };
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    void AltKey(Qt::Key key) { QTest::keyClick(window_.get(), key, Qt::AltModifier); }

    std::unique_ptr<QWidget> window_;
    TAPageControl* pages_ = nullptr;
    QPushButton* button_ = nullptr;
    std::vector<int> changes_;
};

TEST_F(PageControlWidget, AltLetterSelectsFirstShownPageAndFiresChangeOnce) {
    AltKey(Qt::Key_B);
    EXPECT_EQ(pages_->currentIndex(), 1);
    AltKey(Qt::Key_B);  // equal accelerators: always the first in page order
    EXPECT_EQ(pages_->currentIndex(), 1);
    EXPECT_EQ(changes_, (std::vector<int>{1, 1}));

    AltKey(Qt::Key_R);
    EXPECT_EQ(pages_->currentIndex(), 2);
    pages_->setTabVisible(1, false);
    AltKey(Qt::Key_B);  // a hidden tab is never chosen
    EXPECT_EQ(pages_->currentIndex(), 3);
    EXPECT_EQ(changes_, (std::vector<int>{1, 1, 2, 3}));

    // A plain tab change by code or click also reports, once.
    pages_->setCurrentIndex(0);
    EXPECT_EQ(changes_.back(), 0);
    EXPECT_EQ(changes_.size(), 5u);
}

TEST_F(PageControlWidget, DisabledOrHiddenControlLeavesTheKeyToTheWindow) {
    int clicks = 0;
    QObject::connect(button_, &QPushButton::clicked, [&] { ++clicks; });
    pages_->setCurrentIndex(2);
    changes_.clear();

    pages_->setEnabled(false);
    EXPECT_FALSE(pages_->DialogChar('a'));
    AltKey(Qt::Key_A);
    AltKey(Qt::Key_G);
    EXPECT_EQ(pages_->currentIndex(), 2);
    for (int i = 0; i < 500 && clicks == 0; ++i) QTest::qWait(10);  // buttons click animated
    EXPECT_EQ(clicks, 1);  // the window's own accelerators keep working

    pages_->setEnabled(true);
    pages_->hide();
    EXPECT_FALSE(pages_->DialogChar('a'));
    EXPECT_EQ(pages_->currentIndex(), 2);
    EXPECT_TRUE(changes_.empty());

    pages_->show();
    EXPECT_FALSE(pages_->DialogChar('z'));  // no page has it
    EXPECT_TRUE(pages_->DialogChar('a'));
    EXPECT_EQ(pages_->currentIndex(), 0);
}

}  // namespace
