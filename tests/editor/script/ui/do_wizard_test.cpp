#include "editor/script/ui/do_wizard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QTextCursor>
#include <QTextDocument>

#include "editor/commands/netconn_dialog.h"
#include "editor/script/ui/command_editors.h"
#include "editor/script/ui/do_scripting.h"
#include "platform/message_box.h"
#include "protocol/glob_data.h"
#include "tests/support/sim_platform_test.h"
#include "tests/editor/commands/families/fakes.h"
#include "tests/editor/script/ui/editor_services.h"
#include "tests/editor/script/ui/no_connections.h"
#include "tests/editor/script/ui/script_rows_shown.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"
#include "widgets/label_text.h"
#include "widgets/page_control.h"

namespace tessaro {
namespace {

using testing::CurrentRow;
using testing::NoConnections;
using testing::SetCurrentRow;

// The real command dialogs, confirmed with their defaults (and a path where one is needed)
// or cancelled.
class ScriptedRunner final : public CommandDialogRunner {
public:
    bool confirm = true;
    QString path;
    std::vector<std::string> shown;
    bool textEditOffered = false;
    void Run(QDialog& dlg) override {
        shown.push_back(dlg.windowTitle().toStdString());
        if (auto* edit = dlg.findChild<QPushButton*>("EditScript")) textEditOffered = edit->isVisibleTo(&dlg);
        if (!confirm) return dlg.reject();
        dlg.show();
        QCoreApplication::processEvents();
        if (auto* p = dlg.findChild<QLineEdit*>("ProgPath")) p->setText(path);
        // Where OK is refused, the field it focused gets a number.
        for (int attempt = 0; attempt < 4 && dlg.isVisible(); ++attempt) {
            if (auto* field = qobject_cast<QLineEdit*>(dlg.focusWidget()); field && attempt > 0)
                field->setText("1");
            if (auto* ok = dlg.findChild<QPushButton*>("OkButton")) ok->click();
            QCoreApplication::processEvents();
        }
        if (dlg.isVisible()) dlg.reject();
    }
};

struct WizardFixture : testing::SimPlatformTest {
    testing::TempDir dir;
    TConfigRecord config{};
    TMacroRecord current{};
    TGlobData glob{};
    testing::FakeChooser chooser;
    testing::FakePicker picker;
    testing::FakePathEditor paths{config};
    testing::NoSoundCard mixer;
    NoConnections connections;
    ScriptedRunner runner;
    CommandEditors editors{CommandEditorHosts{config, glob, chooser, picker, paths, mixer, connections,
                                              platform.printers(), platform.systemSettings(), true, true},
                           runner};
    testing::EditorServices services{editors};
    std::vector<std::string> boxes, errors;
    win::MbResult answer = win::MbResult::Yes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        // The dialogs' own refusals are answered by the runner, not counted.
        if (call.caption == "Error") {
            errors.push_back(call.text);
            return win::MbResult::Ok;
        }
        boxes.push_back(call.caption + ": " + call.text);
        return answer;
    }};
    std::unique_ptr<TDoScripting> editor;

    WizardFixture() {
        EnsureQtApplication();
        runner.path = QString::fromStdString(dir.path());
        SetMacroText(current, "one<DELAY:02.00>two");
        editor = std::make_unique<TDoScripting>(nullptr, current, config, services, dir.path(),
                                                [](std::uint32_t, std::int32_t) {});
        editor->ScriptMode = 6;
        editor->IsExisting = true;
        editor->FormShow();
    }
    int Command(int row) const { return LineCommand(editor->Lines().Lines[static_cast<std::size_t>(row)]); }
    static void AltKey(TDoWizard& palette, Qt::Key key) { QTest::keyClick(&palette, key, Qt::AltModifier); }
};

const std::string kQuestion = std::string("Added: ") + kContinueWizard;

TEST_F(WizardFixture, AltDRunsTheButtonOfThePageShowingAndAppends) {
    TDoWizard palette(*editor);
    SetCurrentRow(editor->Script, 0);  // the palette ignores the selection
    ASSERT_EQ(editor->Lines().Lines.size(), 3u);

    palette.MyPage->setCurrentIndex(0);
    AltKey(palette, Qt::Key_D);
    palette.MyPage->setCurrentIndex(3);
    AltKey(palette, Qt::Key_D);
    palette.MyPage->setCurrentIndex(2);
    AltKey(palette, Qt::Key_D);
    ASSERT_EQ(editor->Lines().Lines.size(), 6u) << ::testing::PrintToString(errors);
    EXPECT_EQ(Command(3), cmd::Date);
    EXPECT_EQ(Command(4), cmd::Delay);
    EXPECT_EQ(Command(5), 46);
    EXPECT_EQ(CurrentRow(editor->Script), 5);
    EXPECT_EQ(boxes, std::vector<std::string>(3, kQuestion));
    EXPECT_EQ(palette.result(), 0);  // Yes keeps it open

    // Without the dial-up service its button only warns.
    palette.MyPage->setCurrentIndex(1);
    boxes.clear();
    runner.shown.clear();
    AltKey(palette, Qt::Key_D);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Warning: ", 0), 0u) << boxes[0];
    EXPECT_TRUE(runner.shown.empty());

    // Letters of other pages do nothing.
    AltKey(palette, Qt::Key_B);
    EXPECT_TRUE(runner.shown.empty());
    EXPECT_EQ(editor->Lines().Lines.size(), 6u);
}

TEST_F(WizardFixture, TheQuestionComesOnlyAfterAnAddedLineAndNoCloses) {
    TDoWizard palette(*editor);
    runner.confirm = false;
    palette.ButtonOf(PaletteButtons()[0])->click();  // "Enter Text": cancelled
    EXPECT_EQ(runner.shown.size(), 1u);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(editor->Lines().Lines.size(), 3u);
    EXPECT_EQ(palette.result(), 0);

    runner.confirm = true;
    answer = win::MbResult::No;
    palette.MyPage->setCurrentIndex(3);
    palette.ButtonOf(*PaletteKeyButton(PalettePage::MacroControl, 'D'))->click();
    EXPECT_EQ(boxes, std::vector<std::string>{kQuestion});
    EXPECT_EQ(palette.result(), QDialog::Accepted);
    ASSERT_EQ(editor->Lines().Lines.size(), 4u);
    EXPECT_EQ(Command(3), cmd::Delay);
}

TEST_F(WizardFixture, TheTextFileButtonNeverOffersTheEditAsLines) {
    TDoWizard palette(*editor);
    runner.path = QString::fromStdString(dir.file("none.txt"));
    runner.confirm = false;
    palette.ButtonOf(*PaletteKeyButton(PalettePage::TextMouse, 'I'))->click();
    ASSERT_EQ(runner.shown.size(), 1u);
    EXPECT_FALSE(runner.textEditOffered);
    // The editor's own menu offers it.
    editor->CommandMenuClick(cmd::LoadTextFile);
    EXPECT_TRUE(runner.textEditOffered);
}

TEST_F(WizardFixture, LabelsShowTheirTextWithTheKeyLetterUnderlined) {
    TDoWizard palette(*editor);
    palette.show();
    for (const PaletteButton& b : PaletteButtons()) {
        auto* label = palette.findChild<QLabel*>(QString(b.name) + "Label");
        ASSERT_NE(label, nullptr) << b.name;
        QTextDocument shown;
        shown.setHtml(label->text());
        const QString caption = QString::fromLatin1(b.label);
        EXPECT_EQ(shown.toPlainText(), CaptionShown(caption)) << b.label;
        EXPECT_FALSE(shown.toPlainText().contains('&')) << b.label;
        const int at = static_cast<int>(caption.indexOf('&'));
        ASSERT_GE(at, 0) << b.label;
        EXPECT_EQ(shown.toPlainText()[at].toUpper(), QChar(b.key)) << b.label;
        for (int i = 0; i < shown.characterCount() - 1; ++i) {
            QTextCursor c(&shown);
            c.setPosition(i + 1);
            EXPECT_EQ(c.charFormat().fontUnderline(), i == at) << b.label << " at " << i;
        }
    }
    const QString screens = QStringLiteral(TESSARO_TEST_BIN_DIR) + "/../screens";
    QDir().mkpath(screens);
    for (int page = 0; page < palette.MyPage->count(); ++page) {
        palette.MyPage->setCurrentIndex(page);
        QApplication::processEvents();
        const QString name = palette.MyPage->widget(page)->objectName();
        EXPECT_TRUE(palette.grab().save(screens + "/TDoWizard-" + name + ".png")) << name.toStdString();
    }
}

TEST_F(WizardFixture, AltZOpensThePaletteFromTheEditor) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (auto* palette = qobject_cast<TDoWizard*>(QApplication::activeModalWidget())) {
            opened = palette->windowTitle() == "Scripting Wizard" && palette->MyPage->count() == 4;
            palette->ExitButton->click();
        }
    });
    QTest::keyClick(editor.get(), Qt::Key_Z, Qt::AltModifier);
    EXPECT_TRUE(opened);
}

}  // namespace
}  // namespace tessaro
