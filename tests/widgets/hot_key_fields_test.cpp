// Mouse events travel through the window, as a real click does.
#define QTEST_QPA_MOUSE_HANDLING
#include "widgets/hot_key_fields.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/sim_platform.h"
#include "protocol/hotkey_codes.h"
#include "tests/support/qt_app.h"
#include "widgets/hot_key_gate.h"

namespace tessaro {
namespace {

const int kLeft = hook::HotKeyCodeForMouse(1, 0);
const int kCtrlLeft = hook::HotKeyCodeForMouse(1, hook::kModCtrl);
const int kRight = hook::HotKeyCodeForMouse(2, 0);

TEST(HotKeyGate, KeysPassAndMouseButtonsCountOnlyWhenPressedInTheField) {
    ASSERT_GE(kLeft, 0);
    ASSERT_GE(kRight, 0);
    HotKeyGate gate;
    EXPECT_EQ(gate.Reported(5, 0), 5) << "a key is always the user's choice";

    // The press reaches the window first, as across programs.
    EXPECT_EQ(gate.Pressed(1, false, 10), -1);
    EXPECT_EQ(gate.Reported(kLeft, 12), -1) << "a click on a button is never a chosen key";
    EXPECT_EQ(gate.Pressed(1, true, 20), -1);
    EXPECT_EQ(gate.Reported(kCtrlLeft, 21), kCtrlLeft) << "modifiers travel with the report";

    // The report first, as within the player: held until its press is seen.
    EXPECT_EQ(gate.Reported(kLeft, 30), -1);
    EXPECT_EQ(gate.Pressed(1, true, 31), kLeft);
    EXPECT_EQ(gate.Reported(kLeft, 40), -1);
    EXPECT_EQ(gate.Pressed(1, false, 41), -1);
    EXPECT_EQ(gate.Pressed(1, true, 42), -1) << "the dropped report does not wait for a later press";
    EXPECT_EQ(gate.Reported(kLeft, 43), kLeft);

    // Each report pairs with the press of its own button.
    EXPECT_EQ(gate.Pressed(2, false, 50), -1);
    EXPECT_EQ(gate.Pressed(1, true, 51), -1);
    EXPECT_EQ(gate.Reported(kLeft, 52), kLeft);
    EXPECT_EQ(gate.Reported(kRight, 53), -1);
}

TEST(HotKeyGate, UnpairedPressesAndReportsExpire) {
    HotKeyGate gate;
    // A press the library never reported (the field had only just taken the focus).
    EXPECT_EQ(gate.Pressed(1, true, 0), -1);
    // Long after: a click in another program, reported while the field still picks.
    EXPECT_EQ(gate.Reported(kLeft, 5000), -1);
    EXPECT_EQ(gate.Pressed(1, true, 9000), -1) << "a stale report is not taken by a much later press";
    EXPECT_EQ(gate.Reported(kLeft, 9001), kLeft);
}

// A dialog with a hot-key field and a button, as the forms have them.
class Picker : public QDialog, public HotKeyFieldOwner {
public:
    explicit Picker(win::Messages& messages) {
        auto* v = new QVBoxLayout(this);
        field = new QLineEdit(this);
        field->setReadOnly(true);
        other = new QLineEdit(this);
        ok = new QPushButton("&Ok", this);
        for (QWidget* w :
             {static_cast<QWidget*>(field), static_cast<QWidget*>(other), static_cast<QWidget*>(ok)})
            v->addWidget(w);
        fields = std::make_unique<HotKeyFields>(messages, *this, *this);
        fields->AddField(*field);
    }
    void HotKeyChosen(int code) override { chosen.push_back(code); }
    void EndHotKeyRouting() override { ++ended; }

    QLineEdit* field;
    QLineEdit* other;
    QPushButton* ok;
    std::unique_ptr<HotKeyFields> fields;
    std::vector<int> chosen;
    int ended = 0;
};

TEST(HotKeyFields, AClickElsewhereEndsThePickingAndItsReportIsDropped) {
    EnsureQtApplication();
    win::sim::SimPlatform platform;
    Picker dialog(platform.messages());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    dialog.field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.field->hasFocus(); }));

    dialog.fields->Reported(7);
    EXPECT_EQ(dialog.chosen, std::vector<int>{7});

    QTest::mousePress(dialog.field, Qt::LeftButton, {}, dialog.field->rect().center());
    dialog.fields->Reported(kLeft);
    QTest::mouseRelease(dialog.field, Qt::LeftButton, {}, dialog.field->rect().center(), 80);
    EXPECT_EQ(dialog.chosen, (std::vector<int>{7, kLeft})) << "pressed inside the field: chosen";
    EXPECT_EQ(dialog.ended, 0);

    QTest::mousePress(dialog.ok, Qt::LeftButton, {}, dialog.ok->rect().center());
    EXPECT_EQ(dialog.ended, 1) << "the routing ends with the press, before its report";
    dialog.fields->Reported(kLeft);
    QTest::mouseRelease(dialog.ok, Qt::LeftButton, {}, dialog.ok->rect().center(), 80);
    EXPECT_EQ(dialog.chosen, (std::vector<int>{7, kLeft})) << "the click on the button is not a key";

    // Another field took the focus: presses are none of the picker's business.
    dialog.other->setFocus();
    QTest::mousePress(dialog.other, Qt::RightButton, {}, dialog.other->rect().center());
    QTest::mouseRelease(dialog.other, Qt::RightButton, {}, dialog.other->rect().center(), 80);
    EXPECT_EQ(dialog.ended, 1);
}

}  // namespace
}  // namespace tessaro
