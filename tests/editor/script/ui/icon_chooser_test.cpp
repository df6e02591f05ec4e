// The icon chooser before any icon was taken: the Icons folder does not exist yet, and the
// chooser still opens in it, with no file name typed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <string>

#include "editor/script/ui/do_scripting.h"
#include "editor/script/ui/script_editor_services.h"
#include "tests/support/held_key.h"
#include "tests/support/held_press.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

class NoServices final : public ScriptEditorServices {
public:
    CommandOutcome EditCommand(QWidget*, ScriptList&, const CommandRequest&) override { return {}; }
    std::string ChooseWindowOrProgram(QWidget*, const std::string&, bool, bool&) override { return {}; }
    void SetSchedule(QWidget*, TMacroRecord&) override {}
    void SnipraProperties(QWidget*, TMacroRecord&) override {}
};

TEST(IconChooser, OpensInTheIconsFolderEvenBeforeItExists) {
    EnsureQtApplication();
    testing::TempDir dir;
    const std::string icons = dir.file("Icons");
    ASSERT_FALSE(std::filesystem::exists(icons));
    TConfigRecord config{};
    TMacroRecord current{};
    NoServices services;
    TDoScripting w(nullptr, current, config, services, dir.path(), [](std::uint32_t, std::int32_t) {});
    w.ScriptMode = 6;
    w.FormShow();
    w.show();
    QApplication::processEvents();

    QString folder, typed;
    bool seen = false;
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (seen || !chooser || !chooser->isVisible()) return;
        seen = true;
        folder = chooser->directory().absolutePath();
        if (auto* name = chooser->findChild<QLineEdit*>("fileNameEdit")) typed = name->text();
        testing::HeldKey(chooser, Qt::Key_Escape);
    });
    reader.start(20);
    testing::HeldClick(w.MySpeed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen && !QApplication::activeModalWidget(); }, 10000));
    reader.stop();
    EXPECT_EQ(folder.toStdString(), std::filesystem::weakly_canonical(icons).string());
    EXPECT_EQ(typed, "");
}

}  // namespace
}  // namespace tessaro
