#include "widgets/kept_text.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "tests/support/qt_app.h"

namespace tessaro {
namespace {

// What the program puts in stays whole however often the limit changes; the keyboard, a
// paste and a shorter limit never cut it, and typing stops at the limit or at the length the
// text already has.
TEST(KeptText, TheProgramsTextStaysWholeAndOnlyTypingIsLimited) {
    EnsureQtApplication();
    QLineEdit edit;
    LimitTyping(edit, 5);
    edit.show();
    const QString stored(80, QChar('t'));
    edit.setText(stored);
    EXPECT_EQ(edit.text(), stored);
    EXPECT_TRUE(edit.hasAcceptableInput());
    QTest::keyClicks(&edit, "xy");
    EXPECT_EQ(edit.text(), stored) << "no longer than it was";
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, "ab");
    EXPECT_EQ(edit.text(), QString(79, QChar('t'))) << "deleting works, regrowing not";

    LimitTyping(edit, 2);
    EXPECT_EQ(TypingLimit(edit), 2);
    EXPECT_EQ(edit.text().size(), 79) << "a new limit cuts nothing";

    edit.setText("");
    LimitTyping(edit, 5);
    QTest::keyClicks(&edit, "abcdefgh");
    EXPECT_EQ(edit.text(), "abcde");
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QApplication::clipboard()->setText("12345");
    edit.paste();
    EXPECT_EQ(edit.text(), "bcde") << "a paste past the limit is refused whole";
    QApplication::clipboard()->setText("1");
    edit.paste();
    EXPECT_EQ(edit.text(), "1bcde");

    QSignalSpy finished(&edit, &QLineEdit::editingFinished);
    edit.setText(stored + stored);
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(finished.count(), 1) << "a long text is still an acceptable one";
    EXPECT_EQ(edit.text().size(), 160);
}

}  // namespace
}  // namespace tessaro
