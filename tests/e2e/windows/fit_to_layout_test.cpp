// A dialog whose panels change with a choice, on an 800 x 600 screen under a real window
// manager: after each click it takes the size its controls need, growing and shrinking, and
// stands centred with its frame; once the user has dragged it, it stays where it was put and
// is only kept inside the screen; a drag made while the dialog is still being framed is kept.
#include <QAbstractButton>
#include <QCheckBox>
#include <QListWidget>
#include <QApplication>
#include <QGroupBox>
#include <QLayout>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "editor/commands/active_dialog.h"
#include "editor/commands/netconn_dialog.h"
#include "tests/e2e/windows/windows_desktop.h"
// Xlib's macros last.
#include "tests/e2e/windows/size_hint_record.h"

namespace tessaro::testing {
namespace {

class FitToLayoutOnADesktop : public OnASmallDesktop {
protected:
    // A hand clicks the radio button; true once the dialog has heard it.
    bool ClickChoice(TDoActive& dialog, const char* name) {
        QAbstractButton* radio = dialog.Radio(name);
        if (!radio) return false;
        // On its round mark: a radio button takes clicks on its mark and caption only.
        std::jthread hand =
            desktop->ClickAt(radio->mapToGlobal(QPoint(radio->height() / 2, radio->height() / 2)));
        return QTest::qWaitFor([&] { return radio->isChecked(); }, 5000);
    }

    // Shows the dialog and, as soon as the manager has it up and before this program hears of
    // it, runs `then` on a connection of its own with the dialog's window and frame; the frame,
    // nothing when the dialog never came up.
    std::optional<QRect> ShowUnheard(QWidget& dialog,
                                     const std::function<void(Display*, ::Window, const QRect&)>& then) {
        dialog.show();
        if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) XFlush(x11->display());
        const auto id = static_cast<::Window>(dialog.winId());
        std::optional<QRect> framed;
        std::jthread([&] {
            Display* d = XOpenDisplay(DisplayString(desktop->display()));
            if (!d) return;
            WaitFor(
                [&] {
                    XWindowAttributes a{};
                    if (XGetWindowAttributes(d, id, &a) && a.map_state == IsViewable)
                        framed = desktop->Frame(id);
                    return framed.has_value();
                },
                std::chrono::seconds(5));
            if (framed) then(d, id, *framed);
            XCloseDisplay(d);
        }).join();
        return framed;
    }

    // The frame stands in the middle of the work area (rounded toward zero, as it is placed).
    std::string CentringFault(const QRect& frame) const {
        const QRect area = desktop->WorkArea();
        const int left = area.x() + (area.width() - frame.width()) / 2;
        const int top = area.y() + (area.height() - frame.height()) / 2;
        if (std::abs(frame.x() - left) <= 1 && std::abs(frame.y() - top) <= 1) return {};
        return "frame at " + Text(frame) + ", centred would be " + std::to_string(left) + "," +
               std::to_string(top);
    }

    static std::string Text(const QRect& r) {
        return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
               std::to_string(r.height());
    }

    // What the dialog's layout asks for (it grows and shrinks with the panels).
    static QSize Need(const QWidget& dialog) {
        const QLayout* layout = dialog.layout();
        QSize need = layout->totalSizeHint();
        if (layout->hasHeightForWidth()) need.setHeight(layout->totalHeightForWidth(need.width()));
        return need;
    }

    // The dialog is exactly as large as its layout asks.
    static std::string SizeFault(TDoActive& dialog) {
        const QSize need = Need(dialog);
        if (dialog.size() == need) return {};
        return "dialog " + std::to_string(dialog.width()) + "x" + std::to_string(dialog.height()) +
               ", its controls need " + std::to_string(need.width()) + "x" + std::to_string(need.height());
    }
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
    QPoint grip, drop;
    const std::optional<QRect> framed = ShowUnheard(dialog, [&](Display*, ::Window, const QRect& frame) {
        grip = QPoint(frame.center().x(), frame.y() + 8);
        drop = grip + QPoint(-120, 60);
        std::jthread drag = desktop->DragFrom(grip, drop);
    });
    ASSERT_TRUE(framed) << "the dialog was never framed";
    const QPoint put = framed->topLeft() + (drop - grip);
    const std::optional<QRect> frame = desktop->SettledFrame(dialog);
    ASSERT_TRUE(frame);
    EXPECT_EQ(std::pair(frame->x(), frame->y()), std::pair(put.x(), put.y())) << "the user's drag was undone";
}

// Framing a window late, the manager may tell it a place (with the frame still at the corner)
// and move the frame on without telling again. Here that word comes just as the dialog is up,
// before the program hears anything: the program still learns where the dialog stands, so it
// stands centred and a change of its controls keeps it there.
TEST_F(FitToLayoutOnADesktop, APlaceToldWhileTheDialogIsFramedIsPutRight) {
    TDoActive dialog(nullptr);
    dialog.NewCommand = 1;
    const std::optional<QRect> framed = ShowUnheard(dialog, [&](Display* d, ::Window id, const QRect&) {
        XWindowAttributes a{};
        XGetWindowAttributes(d, id, &a);
        XEvent notice{};
        notice.xconfigure.type = ConfigureNotify;
        notice.xconfigure.event = notice.xconfigure.window = id;
        notice.xconfigure.x = 1;  // the frame at the corner
        notice.xconfigure.y = 20;
        notice.xconfigure.width = a.width;
        notice.xconfigure.height = a.height;
        XSendEvent(d, id, False, StructureNotifyMask, &notice);
        XSync(d, False);
    });
    ASSERT_TRUE(framed) << "the dialog was never up";
    std::optional<QRect> frame = desktop->SettledFrame(dialog);
    ASSERT_TRUE(frame);
    EXPECT_EQ(CentringFault(*frame), "");
    const std::optional<QRect> server = ServerGeometry(*dialog.windowHandle());
    ASSERT_TRUE(server);
    EXPECT_EQ(Text(*server), Text(dialog.geometry()))
        << "the program takes the dialog to be where the manager said";
    ASSERT_TRUE(ClickChoice(dialog, "ActiveOnly"));
    frame = desktop->SettledFrame(dialog);
    ASSERT_TRUE(frame);
    EXPECT_EQ(CentringFault(*frame), "");
    EXPECT_EQ(SizeFault(dialog), "");
}

std::string Sizes(const SizeHintRecord::Request& hints) {
    const auto size = [](int w, int h) { return std::to_string(w) + "x" + std::to_string(h); };
    return (hints.minWidth ? size(hints.minWidth, hints.minHeight) : "any size") + " up to " +
           (hints.maxWidth ? size(hints.maxWidth, hints.maxHeight) : "any size");
}

// A manager that reads a dialog's size hints while they allow more than one size (even for a
// moment, while the dialog changes size) gives its frame a resize handle and may keep it: the
// frame then runs past the bottom of the screen or stands off the centre. Through every change
// the hints allow one size only, and the server is never held for the program alone (that
// would freeze every other program on the desktop).
TEST_F(FitToLayoutOnADesktop, TheHintsOfAChangingDialogAllowOneSizeAndTheServerIsNeverHeld) {
    TDoActive dialog(nullptr);
    dialog.NewCommand = 1;
    dialog.show();
    ASSERT_TRUE(desktop->SettledFrame(dialog));
    SizeHintRecord record(desktop->name(), dialog.winId());
    ASSERT_TRUE(record.ok());
    for (const char* choice : {"ActiveOnly", "LaunchOnly", "LaunchAct", "ActiveOnly"}) {
        ASSERT_TRUE(ClickChoice(dialog, choice));
        ASSERT_TRUE(desktop->SettledFrame(dialog));
    }
    int sizes = 0;
    std::vector<std::string> faults;
    for (const SizeHintRecord::Request& r : record.Stop()) {
        switch (r.kind) {
            case SizeHintRecord::Request::Hold: faults.push_back("the server was held"); break;
            case SizeHintRecord::Request::LetGo: break;
            case SizeHintRecord::Request::Hints:
                if (!r.OneSize()) faults.push_back("hints allowing " + Sizes(r));
                break;
            case SizeHintRecord::Request::Size: ++sizes; break;
        }
    }
    EXPECT_GE(sizes, 4) << "the dialog did not change size with each choice";
    EXPECT_EQ(faults, std::vector<std::string>{});
}

// The manager frames the dialog only after its controls changed (it was held up): the change
// was fitted to a frame the program guessed. Once the manager tells its own the dialog takes
// what its controls need, up to what the work area holds with that frame, and stands centred.
TEST_F(FitToLayoutOnADesktop, AChangeBeforeTheManagerFramesTheDialogIsFittedAgainToItsFrame) {
    struct NoDrives final : NetworkConnectionList {
        std::vector<std::pair<std::string, std::string>> Current() override { return {}; }
        std::vector<std::pair<std::string, std::string>> Remembered() override { return {}; }
    } drives;
    TDoNetConn dialog(nullptr, drives);
    dialog.NewCommand = 1;
    {
        const std::unique_ptr<WindowManager::Hold> held = desktop->HoldManager();
        ASSERT_TRUE(held->held());
        dialog.show();
        // Toggling, with both lists: more than the screen holds.
        dialog.Radio("DoToggle")->click();
        dialog.Current->click();
        dialog.Bootup->click();
        ASSERT_TRUE(dialog.BootList->isVisible());
        ASSERT_FALSE(desktop->Frame(dialog.winId())) << "the dialog was framed while the manager was held";
        // However long the manager takes to put the dialog up, the program waits for the frame
        // it will tell: here past the time it gives a manager once a window is up.
        EXPECT_FALSE(QTest::qWaitFor([&] { return !BeingPlaced(dialog); }, 3000))
            << "the program gave up waiting for the frame before the dialog was up";
    }
    const std::optional<QRect> frame = desktop->SettledFrame(dialog);
    ASSERT_TRUE(frame);
    EXPECT_EQ(desktop->FrameFault(dialog), "");
    const int frameHeight = frame->height() - dialog.height();
    const int room = desktop->WorkArea().height() - frameHeight;
    ASSERT_GT(Need(dialog).height(), room) << "the dialog needs no more than the screen holds";
    EXPECT_EQ(dialog.height(), room) << "the dialog is not as high as the screen holds with its frame";
    EXPECT_EQ(CentringFault(*frame), "");
}

}  // namespace
}  // namespace tessaro::testing
