#include "widgets/task_icon.h"

#include <QCursor>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/qt_app.h"

using tessaro::TrayIconData;
using tessaro::TTaskIcon;

namespace {

// Notification area that records what it is told; it can refuse.
class RecordingHost : public tessaro::TrayHost {
public:
    struct Call {
        char op;  // 'A'dd, 'M'odify, 'D'elete
        int id;
        std::string tip;
    };
    bool Add(const TrayIconData& d) override { return Note('A', d); }
    bool Modify(const TrayIconData& d) override { return Note('M', d); }
    bool Delete(const TrayIconData& d) override { return Note('D', d); }
    std::vector<Call> calls;
    bool accept = true;

private:
    bool Note(char op, const TrayIconData& d) {
        calls.push_back({op, d.id, d.tip});
        return accept;
    }
};

QIcon Square(Qt::GlobalColor color) {
    QPixmap p(16, 16);
    p.fill(color);
    return QIcon(p);
}

class TaskIconTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureQtApplication(); }
    RecordingHost host;
};

TEST_F(TaskIconTest, ActivationAddsOnceAndOnlyWhenAccepted) {
    TTaskIcon icon(nullptr, &host);
    icon.SetTaskIconID(3);
    icon.SetActive(true);
    icon.SetActive(true);
    EXPECT_TRUE(icon.Active());
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].op, 'A');
    EXPECT_EQ(host.calls[0].id, 3);

    host.accept = false;
    icon.SetActive(false);
    EXPECT_TRUE(icon.Active());  // the area would not let go of it
    host.accept = true;
    icon.SetActive(false);
    EXPECT_FALSE(icon.Active());

    host.calls.clear();
    host.accept = false;
    icon.SetActive(true);
    EXPECT_FALSE(icon.Active());
    EXPECT_EQ(host.calls.size(), 1u);
}

TEST_F(TaskIconTest, ToolTipIsKeptWholeAndShownCutToTheAreasLimit) {
    TTaskIcon icon(nullptr, &host);
    const std::string tip64(64, 'T');
    icon.SetToolTip(tip64 + "overflow");
    EXPECT_EQ(icon.ToolTip(), tip64);
    EXPECT_TRUE(host.calls.empty());  // inactive: nothing is sent

    icon.SetToolTip("Tessaro");
    icon.SetActive(true);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].tip, "Tessaro");  // the next activation shows the latest text

    icon.SetToolTip(tip64);
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[1].op, 'M');
    EXPECT_EQ(host.calls[1].tip, std::string(63, 'T'));
    icon.SetToolTip(tip64);  // unchanged: nothing sent
    icon.SetIcon(icon.Icon());
    EXPECT_EQ(host.calls.size(), 2u);
    icon.SetIcon(Square(Qt::red));
    EXPECT_EQ(host.calls.size(), 3u);
    EXPECT_EQ(host.calls[2].op, 'M');
}

TEST_F(TaskIconTest, NewIdWhileShownMovesTheIcon) {
    auto& qt = tessaro::QtTrayHost::Instance();
    const std::size_t before = qt.size();
    {
        TTaskIcon icon;
        icon.SetTaskIconID(1);
        icon.SetToolTip("macro");
        icon.SetIcon(Square(Qt::blue));
        icon.SetActive(true);
        ASSERT_TRUE(icon.Active());
        QSystemTrayIcon* shown = qt.Find(&icon, 1);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->toolTip(), "macro");

        icon.SetTaskIconID(7);
        EXPECT_TRUE(icon.Active());
        EXPECT_EQ(qt.Find(&icon, 1), nullptr);
        ASSERT_NE(qt.Find(&icon, 7), nullptr);
        EXPECT_EQ(qt.Find(&icon, 7)->toolTip(), "macro");
        EXPECT_EQ(qt.size(), before + 1);

        // Clicks now arrive under the new id.
        int clicks = 0;
        icon.OnClick = [&](TTaskIcon* sender) {
            EXPECT_EQ(sender, &icon);
            ++clicks;
        };
        emit qt.Find(&icon, 7)->activated(QSystemTrayIcon::Trigger);
        EXPECT_EQ(clicks, 1);
    }
    EXPECT_EQ(qt.size(), before);  // destroying a shown icon removes it from the area

    // With a recording area: the old id is deleted before the new one is added.
    TTaskIcon icon(nullptr, &host);
    icon.SetActive(true);
    icon.SetTaskIconID(4);
    ASSERT_EQ(host.calls.size(), 3u);
    EXPECT_EQ(host.calls[1].op, 'D');
    EXPECT_EQ(host.calls[1].id, 0);
    EXPECT_EQ(host.calls[2].op, 'A');
    EXPECT_EQ(host.calls[2].id, 4);
}

TEST_F(TaskIconTest, MouseNoticesFireTheirEventsForTheirIdOnly) {
    TTaskIcon icon(nullptr, &host);
    icon.SetTaskIconID(2);
    std::vector<std::string> events;
    icon.OnClick = [&](TTaskIcon*) { events.push_back("click"); };
    icon.OnDblClick = [&](TTaskIcon*) { events.push_back("double"); };
    QPoint at;
    icon.OnRightClick = [&](TTaskIcon*, Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
        EXPECT_EQ(b, Qt::RightButton);
        EXPECT_EQ(m, Qt::NoModifier);
        at = {x, y};
        events.push_back("right");
    };
    icon.TrayCallback(2, tessaro::kTrayLeftButtonUp);
    icon.TrayCallback(2, tessaro::kTrayLeftDoubleClick);
    icon.TrayCallback(2, tessaro::kTrayRightButtonUp);
    icon.TrayCallback(2, 513);  // button down: ignored
    icon.TrayCallback(3, tessaro::kTrayLeftButtonUp);
    icon.TrayCallback(-2, tessaro::kTrayLeftButtonUp);
    EXPECT_EQ(events, (std::vector<std::string>{"click", "double", "right"}));
    EXPECT_EQ(at, QCursor::pos());

    icon.OnClick = nullptr;  // an event without a handler is ignored
    icon.TrayCallback(2, tessaro::kTrayLeftButtonUp);
    EXPECT_EQ(events.size(), 3u);

    // The real area's activations map onto the same notices.
    TTaskIcon shown;
    shown.SetTaskIconID(9);
    shown.SetActive(true);
    std::vector<std::string> seen;
    shown.OnDblClick = [&](TTaskIcon*) { seen.push_back("double"); };
    shown.OnRightClick = [&](TTaskIcon*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        seen.push_back("right");
    };
    auto* tray = tessaro::QtTrayHost::Instance().Find(&shown, 9);
    ASSERT_NE(tray, nullptr);
    emit tray->activated(QSystemTrayIcon::DoubleClick);
    emit tray->activated(QSystemTrayIcon::Context);
    emit tray->activated(QSystemTrayIcon::MiddleClick);
    EXPECT_EQ(seen, (std::vector<std::string>{"double", "right"}));
}

}  // namespace
