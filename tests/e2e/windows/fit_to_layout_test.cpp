// A dialog whose panels change with a choice, on an 800 x 600 screen under a real window
// manager: after each click it takes the size its controls need, growing and shrinking, and
// stands centred with its frame; once the user has dragged it, it stays where it was put and
// is only kept inside the screen; a drag made while the dialog is still being framed is kept.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLayout>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "editor/commands/active_dialog.h"
#include "tests/e2e/windows/windows_desktop.h"

namespace tessaro::testing {
namespace {

class FitToLayoutOnADesktop : public ::testing::Test {
protected:
    void SetUp() override {
        desktop = WindowsDesktop::Get("800x600");
        if (!desktop) GTEST_SKIP() << "no 800 x 600 desktop with a window manager";
    }

    // A hand clicks the radio button; true once the dialog has heard it.
    bool ClickChoice(TDoActive& dialog, const char* name) {
        QAbstractButton* radio = dialog.Radio(name);
        if (!radio) return false;
        // On its round mark: a radio button takes clicks on its mark and caption only.
        std::jthread hand =
            desktop->ClickAt(radio->mapToGlobal(QPoint(radio->height() / 2, radio->height() / 2)));
        return QTest::qWaitFor([&] { return radio->isChecked(); }, 5000);
    }

    // The frame stands in the middle of the work area (rounded toward zero, as it is placed).
    std::string CentringFault(const QRect& frame) const {
        const QRect area = desktop->WorkArea();
        const int left = area.x() + (area.width() - frame.width()) / 2;
        const int top = area.y() + (area.height() - frame.height()) / 2;
        if (std::abs(frame.x() - left) <= 1 && std::abs(frame.y() - top) <= 1) return {};
        return "frame at " + std::to_string(frame.x()) + "," + std::to_string(frame.y()) + " " +
               std::to_string(frame.width()) + "x" + std::to_string(frame.height()) + ", centred would be " +
               std::to_string(left) + "," + std::to_string(top);
    }

    // The dialog is exactly as large as its layout asks (it grew or shrank with the panels).
    static std::string SizeFault(TDoActive& dialog) {
        const QLayout* layout = dialog.layout();
        QSize need = layout->totalSizeHint();
        if (layout->hasHeightForWidth()) need.setHeight(layout->totalHeightForWidth(need.width()));
        if (dialog.size() == need) return {};
        return "dialog " + std::to_string(dialog.width()) + "x" + std::to_string(dialog.height()) +
               ", its controls need " + std::to_string(need.width()) + "x" + std::to_string(need.height());
    }

    WindowsDesktop* desktop = nullptr;
};

TEST_F(FitToLayoutOnADesktop, ADialogFollowsItsPanelsAndStaysCentred) {
    TDoActive dialog(nullptr);
    dialog.NewCommand = 1;
    dialog.show();
    std::optional<QRect> frame = desktop->SettledFrame(dialog);
    ASSERT_TRUE(frame);
    EXPECT_EQ(CentringFault(*frame), "");
    const int tallest = frame->height();
    // Launch and activate (the default), activate only, launch only, launch and activate.
    for (const char* choice : {"ActiveOnly", "LaunchOnly", "LaunchAct", "ActiveOnly", "ActiveLaunch"}) {
        SCOPED_TRACE(choice);
        ASSERT_TRUE(ClickChoice(dialog, choice));
        frame = desktop->SettledFrame(dialog);
        ASSERT_TRUE(frame);
        EXPECT_EQ(desktop->FrameFault(dialog), "");
        EXPECT_EQ(CentringFault(*frame), "");
        EXPECT_EQ(SizeFault(dialog), "");
        if (std::string(choice) == "ActiveOnly") {
            EXPECT_FALSE(dialog.Panel3->isVisible());
            EXPECT_LT(frame->height(), tallest - 100) << "the dialog did not shrink";
        }
    }
}

TEST_F(FitToLayoutOnADesktop, ADialogTheUserMovedStaysWhereItWasPut) {
    TDoActive dialog(nullptr);
    dialog.NewCommand = 1;
    dialog.show();
    ASSERT_TRUE(desktop->SettledFrame(dialog));
    ASSERT_TRUE(ClickChoice(dialog, "ActiveOnly"));
    std::optional<QRect> frame = desktop->SettledFrame(dialog);
    ASSERT_TRUE(frame);
    // Taken by its title bar and put down low on the screen.
    const QPoint grip(frame->center().x(), frame->y() + (dialog.geometry().y() - frame->y()) / 2);
    const QPoint drop(grip.x() - 150,
                      desktop->WorkArea().bottom() - frame->height() + (grip.y() - frame->y()) - 40);
    { std::jthread hand = desktop->DragFrom(grip, drop); }
    // Where the hand left it (the manager may snap it to an edge on the way).
    const QRect before = *frame;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const std::optional<QRect> now = desktop->Frame(dialog.winId());
            return now && (now->topLeft() - before.topLeft()).manhattanLength() > 100;
        },
        5000))
        << "the drag did not move the dialog";
    frame = desktop->SettledFrame(dialog);
    ASSERT_TRUE(frame);
    const QPoint put = frame->topLeft();

    // A choice that shows no more keeps it in place; one that grows it past the bottom keeps
    // its left edge and lifts it just inside the screen.
    ASSERT_TRUE(ClickChoice(dialog, "ActiveOnly") || dialog.Radio("ActiveOnly")->isChecked());
    ASSERT_TRUE(ClickChoice(dialog, "LaunchOnly"));
    frame = desktop->SettledFrame(dialog);
    ASSERT_TRUE(frame);
    EXPECT_EQ(desktop->FrameFault(dialog), "");
    EXPECT_EQ(frame->x(), put.x()) << "the dialog was moved off where the user put it";
    EXPECT_EQ(frame->bottom(), desktop->WorkArea().bottom()) << "the grown dialog was not just kept inside";
    EXPECT_EQ(SizeFault(dialog), "");
    ASSERT_TRUE(ClickChoice(dialog, "ActiveOnly"));
    frame = desktop->SettledFrame(dialog);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->x(), put.x());
    EXPECT_NE(CentringFault(*frame), "") << "a moved dialog was centred again";
}

// The drag is made as soon as the manager shows the dialog, before the program hears of it.
TEST_F(FitToLayoutOnADesktop, ADragWhileTheDialogIsFramedIsKept) {
    TDoActive dialog(nullptr);
    ActiveForm activateOnly = ActiveDefaults();
    activateOnly.Kind = 1;
    dialog.NewCommand = 0;
    dialog.Preset(activateOnly);
    dialog.show();
    // The map request goes out; the program then hears nothing until the hand is done.
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) XFlush(x11->display());
    const WId id = dialog.winId();
    std::optional<QRect> framed;
    const auto up = [&](Display* hand) {
        XWindowAttributes a{};
        if (!XGetWindowAttributes(hand, static_cast<::Window>(id), &a) || a.map_state != IsViewable)
            return false;
        framed = desktop->Frame(id);
        return framed.has_value();
    };
    QPoint grip, drop;
    {
        std::jthread hand([&] {
            Display* look = XOpenDisplay(DisplayString(desktop->display()));
            for (int i = 0; look && !up(look) && i < 500; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (look) XCloseDisplay(look);
            if (!framed) return;
            grip = QPoint(framed->center().x(), framed->y() + 8);
            drop = grip + QPoint(-120, 60);
            std::jthread drag = desktop->DragFrom(grip, drop);
        });
    }
    ASSERT_TRUE(framed) << "the dialog was never framed";
    const QPoint put = framed->topLeft() + (drop - grip);
    const std::optional<QRect> frame = desktop->SettledFrame(dialog);
    ASSERT_TRUE(frame);
    EXPECT_EQ(std::pair(frame->x(), frame->y()), std::pair(put.x(), put.y())) << "the user's drag was undone";
}

}  // namespace
}  // namespace tessaro::testing
