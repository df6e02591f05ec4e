// One bad character typed into the prefix keys opens one real Error box, not one for the
// typing and another for the field losing the focus to that box; each leaving of the field
// with it opens one more.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <string>
#include <vector>

#include "editor/explorer/tools/options_dialogs.h"
#include "platform/message_box.h"
#include "tests/support/held_key.h"
#include "tests/support/qt_app.h"
#include "widgets/message_box_qt.h"

namespace tessaro {
namespace {

TEST(PrefixKeysBox, OneBadCharacterOpensOneBox) {
    EnsureQtApplication();
    TConfigRecord config{};
    config.SnipraUseSuffix = false;
    std::vector<std::string> shown;
    win::ScopedMessageBoxHandler handler{[&](const win::MessageBoxCall& call) {
        shown.push_back(call.caption + ": " + call.text);
        return QtMessageBox(call);
    }};
    TSnipraOptions dlg(nullptr, config, [](std::uint32_t, std::int32_t) {});
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    dlg.PrefixKeys->setFocus();
    QApplication::processEvents();

    // Whoever looks at a box answers it with Enter.
    int answered = 0;
    bool answering = false;
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (answering || !box || !box->isVisible()) return;
        answering = true;
        testing::HeldKey(box, Qt::Key_Return);
        ++answered;
        answering = false;
    });
    reader.start(20);
    QTest::keyPress(dlg.PrefixKeys, '(');
    QTest::qWait(testing::kHoldMs);
    QTest::keyRelease(dlg.PrefixKeys, '(');
    ASSERT_TRUE(QTest::qWaitFor([&] { return !QApplication::activeModalWidget(); }, 10000));
    ASSERT_EQ(shown.size(), 1u) << shown.back();
    EXPECT_TRUE(shown[0].starts_with("Error: The Prefix Keys has invalid characters")) << shown[0];
    EXPECT_EQ(answered, 1);
    EXPECT_EQ(dlg.focusWidget(), dlg.PrefixKeys);

    // Each leaving of the field with the bad character still in it opens its box, the text
    // unchanged since the last one or not.
    for (std::size_t leaving = 1; leaving <= 2; ++leaving) {
        QApplication::setActiveWindow(&dlg);  // the offscreen platform gives no window back
        ASSERT_TRUE(QTest::qWaitFor([&] { return dlg.PrefixKeys->hasFocus(); }, 5000));
        testing::HeldKey(dlg.PrefixKeys, Qt::Key_Tab);
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown.size() == leaving + 1; }, 5000)) << leaving;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !QApplication::activeModalWidget(); }, 10000));
        EXPECT_TRUE(shown.back().starts_with("Error: The Prefix Keys has invalid characters"));
    }
    reader.stop();
    EXPECT_EQ(dlg.focusWidget(), dlg.PrefixKeys);
}

}  // namespace
}  // namespace tessaro
