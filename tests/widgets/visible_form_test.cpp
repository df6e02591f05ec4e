#include "tests/support/visible_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "tests/support/qt_app.h"

namespace tessaro::testing {
namespace {

// The check that the form tests rely on finds what a person would see, and only that.
TEST(VisibleForm, FindsCutCaptionsAndControlsOutsideButNotLaidOutOrScrolledOnes) {
    EnsureQtApplication();
    QWidget laidOut;
    auto* layout = new QVBoxLayout(&laidOut);
    layout->addWidget(new QLabel("A caption of some length, whole"));
    layout->addWidget(new QPushButton("&Ok"));
    layout->addWidget(new QCheckBox("Hide From Tray"));
    auto* box = new QGroupBox("Activation");
    new QVBoxLayout(box);
    layout->addWidget(box);
    laidOut.show();
    QApplication::processEvents();
    EXPECT_TRUE(VisibleFaults(laidOut).empty()) << VisibleFaults(laidOut).front();

    QWidget placed;
    placed.resize(200, 100);
    auto* label = new QLabel("A caption far too long for its place", &placed);
    label->setGeometry(5, 5, 60, 20);
    auto* button = new QPushButton("&Cancel", &placed);
    button->setGeometry(150, 70, 80, 25);  // its right end lies beyond the form
    auto* check = new QCheckBox("Scheduled macro", &placed);
    check->setGeometry(5, 40, 40, 20);
    auto* hidden = new QLabel("A hidden label that would not fit", &placed);
    hidden->setGeometry(0, 0, 10, 10);
    hidden->hide();
    placed.show();
    QApplication::processEvents();
    const auto faults = VisibleFaults(placed);
    ASSERT_EQ(faults.size(), 3u);
    EXPECT_NE(faults[0].find("is cut"), std::string::npos) << faults[0];
    EXPECT_NE(faults[1].find("lies outside"), std::string::npos) << faults[1];
    EXPECT_NE(faults[2].find("\"Scheduled macro\" is cut"), std::string::npos) << faults[2];

    QScrollArea area;
    auto* content = new QWidget;
    content->resize(400, 800);
    (new QLabel("Far below, scrolled to", content))->move(10, 700);
    area.setWidget(content);
    area.resize(150, 150);
    area.show();
    QApplication::processEvents();
    EXPECT_TRUE(VisibleFaults(area).empty()) << VisibleFaults(area).front();
}

}  // namespace
}  // namespace tessaro::testing
