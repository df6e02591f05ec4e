// The macro-text editor's command entries open the real command dialogs.
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QAbstractButton>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>

#include "editor/commands/command_dialog.h"
#include "editor/commands/reboot_dialogs.h"
#include "editor/explorer/forms/command_dialogs_run.h"
#include "editor/explorer/forms/t_mod_hot_keys.h"
#include "editor/script/ui/command_editors.h"
#include "editor/script/ui/do_text_insert.h"
#include "forms_fixture.h"
#include "foundation/ras.h"
#include "platform/cp1252.h"
#include "tests/editor/commands/families/fakes.h"
#include "tests/editor/script/ui/no_connections.h"
#include "tests/support/held_press.h"

namespace tessaro {
namespace {

// Plays the user: notes which dialog came up, fills what a command cannot do without, presses
// OK until the dialog closes (or gives up) and keeps the command text the dialog built.
class UserAtDialog final : public CommandDialogRunner {
public:
    bool confirm = true;
    bool retry = true;  // fill the refused field and press OK again
    std::string file;
    std::vector<std::pair<QString, QString>> prefill;
    std::vector<std::string> shown;
    std::string built;
    std::function<void(QDialog&)> look;  // sees the dialog as it came up

    void Run(QDialog& dlg) override {
        shown.push_back(ClassOf(dlg));
        built.clear();
        dlg.show();
        QCoreApplication::processEvents();
        if (look) look(dlg);
        if (!confirm) {
            dlg.reject();
            return;
        }
        for (const auto& [name, text] : prefill) {
            if (auto* e = dlg.findChild<QLineEdit*>(name)) e->setText(text);
            if (auto* t = dlg.findChild<QTextEdit*>(name)) t->setPlainText(text);
        }
        std::map<QWidget*, int> tries;
        for (int attempt = 0; attempt < (retry ? 12 : 1) && dlg.isVisible(); ++attempt) {
            if (attempt > 0) Fill(dlg.focusWidget(), tries);
            if (auto* ok = dlg.findChild<QPushButton*>("OkButton")) ok->click();
            QCoreApplication::processEvents();
        }
        if (dlg.isVisible()) dlg.reject();
        if (auto* c = qobject_cast<CommandDialog*>(&dlg)) built = c->CommandText;
        if (auto* t = qobject_cast<TDoTextInsert*>(&dlg)) built = t->CommandText;
    }

    static std::string ClassOf(const QDialog& dlg) {
        const std::string name = dlg.metaObject()->className();
        return name.substr(name.rfind(':') == std::string::npos ? 0 : name.rfind(':') + 1);
    }

private:
    void Fill(QWidget* w, std::map<QWidget*, int>& tries) {
        if (w == nullptr) return;
        const int n = tries[w]++;
        const QString values[] = {QString::fromStdString(file), "1", "5", "Text"};
        const QString value = values[n % 4];
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(value);
        if (auto* t = qobject_cast<QTextEdit*>(w)) t->setPlainText("Text");
        if (auto* l = qobject_cast<QListWidget*>(w)) {
            if (l->count() == 0) l->addItem(value);
            l->setCurrentRow(0);
        }
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            if (c->count() > 0) c->setCurrentIndex(0);
            if (c->isEditable()) c->setEditText(value);
        }
    }
};

class CommandButtons : public testing::FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        user.file = dir + "/Note.txt";
        std::ofstream(user.file) << "text\r\n";
        chooser.file = user.file;
        chooser.folder = dir;
        picker.answer = "xterm";
        recipients = std::make_unique<testing::FakePathEditor>(*config);
        editors = std::make_unique<CommandEditors>(
            CommandEditorHosts{*config, *glob, chooser, picker, *recipients, mixer, connections,
                               platform.printers(), platform.systemSettings(), true, true},
            user);
        run = std::make_unique<CommandDialogsRun>(*editors, user);
        context = std::make_unique<MacroFormsContext>(
            MacroFormsContext{*core, *config, desktop, platform.printers(), platform.systemSettings(),
                              *programs, *run, dir, dir + "/macros.qtm"});
    }

    std::unique_ptr<TModHotKeys> OpenWith(const QString& text, int caret) {
        auto form = std::make_unique<TModHotKeys>(*context);
        form->ActivationKind = 6;
        form->show();
        QCoreApplication::processEvents();
        form->NewFormat->setPlainText(text);
        QTextCursor c = form->NewFormat->textCursor();
        c.setPosition(caret);
        form->NewFormat->setTextCursor(c);
        return form;
    }

    static const CommandEntry& Entry(std::string_view button) {
        for (const CommandEntry& e : CommandEntries())
            if (e.button == button) return e;
        throw std::runtime_error("no entry");
    }

    testing::FakeChooser chooser;
    testing::FakePicker picker;
    std::unique_ptr<testing::FakePathEditor> recipients;
    testing::NoSoundCard mixer;
    testing::NoConnections connections;
    UserAtDialog user;
    std::unique_ptr<CommandEditors> editors;
    std::unique_ptr<CommandDialogsRun> run;
};

// Fields a command cannot do without, by control name.
std::vector<std::pair<QString, QString>> PrefillFor(std::string_view button, const std::string& dir,
                                                    const std::string& file) {
    const QString f = QString::fromStdString(file), d = QString::fromStdString(dir);
    if (button == "FILES" || button == "EXPLORER") return {{"ProgPath", d}};
    if (button == "SIZE / POS") return {{"TheWidth", "100"}, {"TheHeight", "100"}};
    if (button == "LOAD TEXT" || button == "SWAP FILE") return {{"ProgPath", f}};
    if (button == "TEXT BOX") return {{"Header", "Note"}, {"Contents", "Hello there"}};
    return {};
}

TEST_F(CommandButtons, EachEntryOpensItsDialogAndInsertsWhatItBuiltAtTheCaret) {
    for (const CommandEntry& entry : CommandEntries()) {
        SCOPED_TRACE(entry.button);
        const std::string_view button = entry.button;
        // The dial-up service and a printer are what a test machine lacks; both have their
        // own tests.
        if (button == "DIAL-UP" || button == "PRINTER") continue;
        auto form = OpenWith("abcd", 2);
        user.shown.clear();
        user.confirm = true;
        user.prefill = PrefillFor(button, dir, user.file);
        form->RunCommand(entry);
        ASSERT_EQ(user.shown.size(), 1u);
        // The e-mail dialog's class carries a longer name than its entry.
        EXPECT_EQ(user.shown[0].rfind(entry.dialog, 0), 0u) << user.shown[0];
        ASSERT_FALSE(user.built.empty()) << "not confirmed";
        const std::string token =
            entry.preset == CommandPreset::TextBox ? TextBoxToken("Note", "Hello there") : user.built;
        const QString inserted = QString::fromStdString(win::Cp1252ToUtf8(token));
        EXPECT_EQ(form->NewFormat->toPlainText(), "ab" + inserted + "cd");
        EXPECT_EQ(form->NewFormat->textCursor().position(), 2 + inserted.size()) << "the caret follows it";
    }
}

// A button opens its family's dialog as a new command: it starts where the dialog starts
// when opened alone, not on the choice of some command of the family.
TEST_F(CommandButtons, EachButtonStartsItsDialogOnTheDialogsOwnDefaults) {
    const std::map<std::string, std::string> startsOn{
        {"ACTIVATE", "ActiveLaunch"}, {"CLIPBOARD", "StartClip"}, {"SYS CTRLS", "ScreenOn"},
        {"REBOOT", "Logoff"},         {"AUDIO CD", "CDPlay"},     {"DESKTOP", "Cascade"},
        {"VOLUME", "AudioOff"},       {"WIN CTRLS", "DoMaximize"}};
    for (const CommandEntry& entry : CommandEntries()) {
        SCOPED_TRACE(entry.button);
        if (entry.preset == CommandPreset::DialUp) continue;
        auto form = OpenWith("abcd", 2);
        QPushButton* button = nullptr;
        for (QPushButton* b : form->findChildren<QPushButton*>())
            if (b->text() == entry.button) button = b;
        ASSERT_NE(button, nullptr);
        const auto want = startsOn.find(entry.button);
        int newCommand = -1;
        bool startsRight = false;
        user.shown.clear();
        user.confirm = false;
        user.look = [&](QDialog& dlg) {
            auto* c = qobject_cast<CommandDialog*>(&dlg);
            if (c == nullptr) return;
            newCommand = c->NewCommand;
            if (want != startsOn.end())
                startsRight = c->Radio(want->second) != nullptr && c->Radio(want->second)->isChecked();
        };
        testing::HeldClick(button);
        user.look = nullptr;
        ASSERT_EQ(user.shown.size(), 1u);
        const std::string& shown = user.shown[0];
        if (shown == "TModText" || shown == "TDoTextInsert" || shown == "TDoSpecial") continue;
        EXPECT_EQ(newCommand, 1) << shown;
        if (want != startsOn.end()) {
            EXPECT_TRUE(startsRight) << want->second;
        }
    }
}

TEST_F(CommandButtons, CancelledDialogsInsertNothing) {
    for (const CommandEntry& entry : CommandEntries()) {
        SCOPED_TRACE(entry.button);
        if (entry.preset == CommandPreset::DialUp) continue;
        auto form = OpenWith("abcd", 2);
        user.shown.clear();
        user.confirm = false;
        calls.clear();
        form->RunCommand(entry);
        EXPECT_EQ(user.shown.size(), 1u);
        EXPECT_EQ(form->NewFormat->toPlainText(), "abcd");
        EXPECT_TRUE(calls.empty()) << LastText();
    }
}

TEST_F(CommandButtons, DialUpWithoutTheServiceWarnsAndOpensNothing) {
    ASSERT_FALSE(RasAvailable());
    auto form = OpenWith("abcd", 2);
    user.shown.clear();
    form->RunCommand(Entry("DIAL-UP"));
    EXPECT_TRUE(user.shown.empty());
    EXPECT_EQ(LastText(), kRasMissingText);
    EXPECT_EQ(form->NewFormat->toPlainText(), "abcd");
}

TEST_F(CommandButtons, TextBoxWithTheTokenEndInItIsRefused) {
    for (const auto& [header, contents] : {std::pair{"A>B", "text"}, std::pair{"Title", "x > y"}}) {
        SCOPED_TRACE(header);
        auto form = OpenWith("abcd", 2);
        calls.clear();
        user.confirm = true;
        user.retry = false;
        user.prefill = {{"Header", header}, {"Contents", contents}};
        form->RunCommand(Entry("TEXT BOX"));
        EXPECT_EQ(form->NewFormat->toPlainText(), "abcd");
        EXPECT_FALSE(calls.empty());
    }
}

}  // namespace
}  // namespace tessaro
