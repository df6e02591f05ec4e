// A text file edited as lines through the real script editor, its command editors and their
// shown dialogs, clicked as a person does: an unchanged line keeps the file's bytes, an
// edited one keeps its line breaks and tab bytes.
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "editor/script/ui/command_editors.h"
#include "editor/script/ui/do_scripting.h"
#include "platform/message_box.h"
#include "protocol/glob_data.h"
#include "tests/editor/commands/families/fakes.h"
#include "tests/editor/script/ui/editor_services.h"
#include "tests/editor/script/ui/no_connections.h"
#include "tests/support/held_press.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::HeldClick;
using testing::HeldClickRow;

// Acts once on the next modal dialog with `title`, inside its own loop; a dialog the act
// left open is closed so that a failed step cannot hang the test.
void WhenShown(const QString& title, std::function<void(QDialog&)> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, title, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() || dialog->windowTitle() != title) return;
        poll->stop();
        poll->deleteLater();
        act(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << title.toStdString() << " was left open";
            dialog->reject();
        }
    });
    poll->start(10);
}

void ClickButton(QDialog& dialog, const char* name) {
    auto* button = dialog.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    HeldClick(button);
}

constexpr const char* kLoadTextFile = "Load Text from a Text File";
constexpr const char* kKeystrokes = "Enter Keystrokes";

class TextFileThroughTheEditor : public ::testing::Test {
protected:
    TextFileThroughTheEditor() {
        EnsureQtApplication();
        std::ofstream(path, std::ios::binary) << bytes;
        SetMacroText(current, "<TFILE:" + path + ">");
    }

    std::string Slurp() const {
        const std::vector<char> b = testing::ReadBytes(path);
        return {b.begin(), b.end()};
    }

    // Edit on the "Load Text File" line, then "Edit In Scripting Editor": the file as lines.
    void OpenTheFile(TDoScripting& w) {
        HeldClickRow(w.Script, 0);
        WhenShown(kLoadTextFile, [](QDialog& d) { ClickButton(d, "EditScript"); });
        HeldClick(w.DoEdit);
        ASSERT_TRUE(w.TextFile().Active);
        ASSERT_EQ(w.Script->count(), lines);  // plain text is one Text line
        HeldClickRow(w.Script, row);
    }
    int lines = 1;
    int row = 0;

    // Save writes the file; the "Load Text File" dialog opens again over the macro's lines.
    void SaveTheFile(TDoScripting& w) {
        WhenShown(kLoadTextFile, [this, &w](QDialog& d) {
            for (int i = 0; i < w.Script->count(); ++i)
                behind.push_back(w.Script->item(i)->text().toStdString());
            ClickButton(d, "OkButton");
        });
        HeldClick(w.OkButton);
        EXPECT_FALSE(w.TextFile().Active);
    }

    // Another file's bytes, written before the editor opens it.
    void Holding(const std::string& other) {
        bytes = other;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }

    testing::TempDir dir;
    const std::string path = dir.file("notes.txt");
    std::string bytes = "first line\n\tindented\nlast\n";
    TConfigRecord config{};
    TGlobData glob{};
    TMacroRecord current{};
    testing::FakeChooser chooser;
    testing::FakePicker picker;
    testing::FakePathEditor recipients{config};
    testing::NoSoundCard mixer;
    testing::NoConnections connections;
    ModalDialogRunner runner;
    CommandEditors editors{CommandEditorHosts{config, glob, chooser, picker, recipients, mixer, connections},
                           runner};
    testing::EditorServices services{editors};
    std::vector<std::string> boxes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        boxes.push_back(call.caption + ": " + call.text);
        return win::FirstButton(call.buttons);
    }};
    std::vector<std::string> behind;  // the script list while the dialog opened again
};

TEST_F(TextFileThroughTheEditor, AnUnchangedLineKeepsTheFileAndAnEditKeepsItsLineBreaksAndTabs) {
    TDoScripting w(nullptr, current, config, services, dir.path(), [](std::uint32_t, std::int32_t) {});
    w.ScriptMode = 6;
    w.IsExisting = true;
    w.show();
    QApplication::processEvents();

    // Edit and Update without a change: not a byte of the file differs.
    ASSERT_NO_FATAL_FAILURE(OpenTheFile(w));
    WhenShown(kKeystrokes, [](QDialog& d) { ClickButton(d, "UpdateButton"); });
    HeldClick(w.DoEdit);
    SaveTheFile(w);
    EXPECT_EQ(Slurp(), bytes);
    ASSERT_EQ(behind.size(), 1u);
    EXPECT_EQ(behind[0].rfind("Load Text File", 0), 0u) << behind[0];
    EXPECT_TRUE(boxes.empty()) << boxes.front();

    // Typed at its end, with a Tab and a line break: still LF endings and tab bytes.
    ASSERT_NO_FATAL_FAILURE(OpenTheFile(w));
    WhenShown(kKeystrokes, [](QDialog& d) {
        auto* memo = d.findChild<QPlainTextEdit*>("NewFormat");
        ASSERT_NE(memo, nullptr);
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(memo, "one\tmore");
        QTest::keyClick(memo, Qt::Key_Return);
        ClickButton(d, "UpdateButton");
    });
    HeldClick(w.DoEdit);
    SaveTheFile(w);
    EXPECT_EQ(Slurp(), bytes + "one\tmore\n");
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(TextFileThroughTheEditor, ALongFileIsEditedWholeNotCutToAMacrosLength) {
    TDoScripting w(nullptr, current, config, services, dir.path(), [](std::uint32_t, std::int32_t) {});
    w.ScriptMode = 6;
    w.IsExisting = true;
    w.show();
    QApplication::processEvents();

    // 8,400 bytes: the limit is the file's, not the 5,000 of a macro.
    std::string longText;
    while (longText.size() < 8400)
        longText += "line " + std::to_string(longText.size()) + " of a long file\n";
    Holding(longText);
    ASSERT_NO_FATAL_FAILURE(OpenTheFile(w));
    WhenShown(kKeystrokes, [](QDialog& d) {
        auto* memo = d.findChild<QPlainTextEdit*>("NewFormat");
        ASSERT_NE(memo, nullptr);
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(memo, "the end");
        ClickButton(d, "UpdateButton");
    });
    HeldClick(w.DoEdit);
    SaveTheFile(w);
    EXPECT_EQ(Slurp(), longText + "the end");
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

}  // namespace
}  // namespace tessaro
