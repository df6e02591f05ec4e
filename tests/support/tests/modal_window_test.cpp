// The one wait for a modal window: it acts on the window it waits for, even when another
// modal window comes first, and a window that never comes fails the test by its class
// and closes what is up instead of hanging.
#include "tests/support/modal_window.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>

#include "tests/support/qt_app.h"

namespace tessaro::testing {
namespace {

TEST(WhenModal, ActsOnTheDialogItWaitsForOnceItIsUpAfterAnOuterOne) {
    EnsureQtApplication();
    bool inner = false;
    WhenModal<QDialog>([&](QDialog& outer) {
        WhenModal<QMessageBox>([&](QMessageBox& box) {
            inner = true;
            box.reject();
        });
        QMessageBox box(QMessageBox::Information, "Inner", "text", QMessageBox::Ok, &outer);
        box.exec();
        outer.accept();
    });
    QDialog outer;
    outer.setWindowTitle("Outer");
    EXPECT_EQ(outer.exec(), QDialog::Accepted);
    EXPECT_TRUE(inner);
}

TEST(WhenModal, ADialogThatNeverComesFailsByItsClassAndClosesTheOneUp) {
    EnsureQtApplication();
    QElapsedTimer clock;
    clock.start();
    int result = -1;
    EXPECT_NONFATAL_FAILURE(
        {
            WhenModal<QFileDialog>([](QFileDialog& d) { d.close(); }, std::chrono::milliseconds(300));
            QDialog other;
            other.setWindowTitle("Something Else");
            result = other.exec();
        },
        "no modal QFileDialog came up within 300 ms (up instead, now closed: QDialog \"Something Else\")");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_LT(clock.elapsed(), 10000);
}

}  // namespace
}  // namespace tessaro::testing
