#include "editor/wizard/single_command_page.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <map>

#include "editor/commands/netconn_dialog.h"
#include "editor/model/wizard/single_command.h"
#include "editor/model/wizard/wizard_finish.h"
#include "editor/script/ui/command_editors.h"
#include "editor/script/ui/script_editor_services.h"
#include "editor/script/command_table.h"
#include "editor/script/parse_text.h"
#include "platform/cp1252.h"
#include "tests/support/sim_platform_test.h"
#include "tests/editor/commands/families/fakes.h"
#include "tests/editor/model/wizard/wizard_rig.h"
#include "tests/support/qt_app.h"

namespace tessaro {
namespace {

using wizard::testing::Rig;

// The command of the only line a text parses to; 0 for anything else.
int ParseCode(const std::string& text) {
    const std::vector<ScriptLine> lines = ParseMacroText(text);
    return lines.size() == 1 ? LineCommand(lines[0]) : 0;
}

class NoConnections final : public NetworkConnectionList {
public:
    std::vector<std::pair<std::string, std::string>> Current() override { return {}; }
    std::vector<std::pair<std::string, std::string>> Remembered() override { return {}; }
};

// Plays the user of each dialog: types the texts given for its controls and confirms, or
// cancels; remembers which dialogs it saw.
class ScriptedUser final : public CommandDialogRunner {
public:
    bool confirm = true;
    std::map<QString, QString> typed;
    std::vector<QDialog*> seen;

    void Run(QDialog& dlg) override {
        seen.push_back(&dlg);
        dlg.show();
        QCoreApplication::processEvents();
        if (!confirm) return dlg.reject();
        for (const auto& [name, text] : typed) {
            if (auto* e = dlg.findChild<QLineEdit*>(name)) e->setText(text);
            if (auto* t = dlg.findChild<QPlainTextEdit*>(name)) t->setPlainText(text);
            if (auto* t = dlg.findChild<QTextEdit*>(name)) t->setPlainText(text);
        }
        auto* ok = dlg.findChild<QPushButton*>("UpdateButton");
        if (ok == nullptr) ok = dlg.findChild<QPushButton*>("OkButton");
        ASSERT_NE(ok, nullptr);
        ok->click();
        QCoreApplication::processEvents();
        if (dlg.isVisible()) dlg.reject();
    }
};

// The explorer's side of the command dialogs: the script editor's command editors.
class EditorServices final : public ScriptEditorServices {
public:
    explicit EditorServices(CommandEditors& editors) : editors_(editors) {}
    CommandOutcome EditCommand(QWidget* owner, ScriptList& list, const CommandRequest& request) override {
        requests.push_back(request);
        return editors_.EditCommand(owner, list, request);
    }
    std::vector<CommandRequest> requests;
    std::string ChooseWindowOrProgram(QWidget*, const std::string&, bool, bool&) override {
        ADD_FAILURE() << "the single-command pages choose no scope";
        return {};
    }
    void SetSchedule(QWidget*, TMacroRecord&) override { ADD_FAILURE() << "no schedule here"; }
    void SnipraProperties(QWidget*, TMacroRecord&) override { ADD_FAILURE() << "no abbreviation here"; }

private:
    CommandEditors& editors_;
};

class SingleCommandTest : public tessaro::testing::SimPlatformTest {
protected:
    bool app_ = (EnsureQtApplication(), true);
    Rig rig;
    tessaro::testing::FakeChooser chooser;
    tessaro::testing::FakePicker picker;
    tessaro::testing::FakePathEditor paths{*rig.config};
    tessaro::testing::NoSoundCard mixer;
    NoConnections connections;
    ScriptedUser user;
    CommandEditors editors{CommandEditorHosts{*rig.config, *rig.glob, chooser, picker, paths, mixer,
                                              connections, platform.printers(), platform.systemSettings()},
                           user};
    EditorServices services{editors};
    std::unique_ptr<WizardPageGroup> group = MakeSingleCommandPages(services);

    // The form around the pages: panels for 53-58 and a snapshot of their buttons and edit.
    class Host : public WizardForm {
    public:
        Host(WizardPageGroup& g, Rig& r) : rig_(r) {
            for (int page : g.Pages()) g.Build(page, new QWidget(&window_), *this);
        }
        int WizardFunction() const override { return 27; }
        wizard::WizardContext& Context() override { return rig_.ctx; }
        QWidget* Panel(int) const override { return nullptr; }
        QWidget* Window() override { return &window_; }
        wizard::Answers Snapshot() const override {
            wizard::Answers a;
            for (auto* b : window_.findChildren<QAbstractButton*>())
                a.Set(b->objectName().toStdString()).checked = b->isChecked();
            for (auto* e : window_.findChildren<QLineEdit*>())
                a.Set(e->objectName().toStdString()).text = win::Utf8ToCp1252(e->text().toStdString());
            return a;
        }
        void Click(const char* name) { window_.findChild<QAbstractButton*>(name)->click(); }
        std::string Command() const {
            return win::Utf8ToCp1252(window_.findChild<QLineEdit*>("P58Command")->text().toStdString());
        }

    private:
        Rig& rig_;
        QWidget window_;
    };
    Host host{*group, rig};
};

TEST_F(SingleCommandTest, TheChosenFamilysDialogMakesTheMacro) {
    host.Click("P53Macro");
    host.Click("P57Box");
    user.typed = {{"Header", "Note"}, {"Contents", "Call back"}};
    host.Click("P58Choose");
    ASSERT_EQ(user.seen.size(), 1u);
    EXPECT_EQ(host.Command(), "<TBOX:<HEAD:Note>Call back>");

    wizard::Answers a = host.Snapshot();
    a.Set("P2None").checked = true;
    a.Set("P10Nick").text = "Note";
    ASSERT_TRUE(std::holds_alternative<wizard::WizardOutcome>(wizard::FinishUp(27, a, rig.ctx)));
    EXPECT_EQ(GetMacroText(*rig.rec), "<TBOX:<HEAD:Note>Call back>");
}

TEST_F(SingleCommandTest, TypedTextKeepsItsLineBreaks) {
    host.Click("P53Text");
    host.Click("P54Text");
    user.typed = {{"NewFormat", "Dear Jo,\nthanks"}};
    host.Click("P58Choose");
    EXPECT_EQ(host.Command(), "Dear Jo,\r\nthanks");
    wizard::Answers a = host.Snapshot();
    a.Set("P2None").checked = true;
    ASSERT_TRUE(std::holds_alternative<wizard::WizardOutcome>(wizard::FinishUp(27, a, rig.ctx)));
    EXPECT_EQ(GetMacroText(*rig.rec), "Dear Jo,\r\nthanks");
}

TEST_F(SingleCommandTest, CancelOrAnEmptyBoxHeaderLeavesNoCommand) {
    host.Click("P53Macro");
    host.Click("P57Box");
    user.typed = {{"Header", "Note"}, {"Contents", "x"}};
    host.Click("P58Choose");
    ASSERT_FALSE(host.Command().empty());
    user.confirm = false;
    host.Click("P58Choose");
    EXPECT_EQ(host.Command(), "") << "a cancelled dialog replaces the command by none";
    user.confirm = true;
    user.typed = {{"Header", ""}, {"Contents", "x"}};
    host.Click("P58Choose");
    EXPECT_EQ(host.Command(), "");
}

TEST_F(SingleCommandTest, DateAndTimeOpenTheSameDialogInTheirModes) {
    host.Click("P53Text");
    host.Click("P54Date");
    host.Click("P58Choose");
    EXPECT_EQ(ParseCode(host.Command()), cmd::Date);
    host.Click("P54Time");
    host.Click("P58Choose");
    EXPECT_EQ(ParseCode(host.Command()), cmd::Time);
}

TEST(SingleCommandChoice, TypeAndFamilyPickTheDialog) {
    wizard::Answers a;
    EXPECT_EQ(wizard::ChosenCommandCode(a), 0) << "no family checked: nothing opens";
    a.Set("P57Delay").checked = true;
    EXPECT_EQ(wizard::ChosenCommandCode(a), cmd::Delay) << "no type checked counts as macro control";
    a.Set("P56Web").checked = true;
    a.Set("P53Program").checked = true;
    EXPECT_EQ(wizard::ChosenCommandCode(a), cmd::WebSite);
    a.Set("P56Activate").checked = true;
    EXPECT_EQ(wizard::ChosenCommandCode(a), cmd::WindowActivate) << "the table's order decides";
    EXPECT_EQ(wizard::CommandChoicesOf(54).size() + wizard::CommandChoicesOf(55).size() +
                  wizard::CommandChoicesOf(56).size() + wizard::CommandChoicesOf(57).size(),
              36u);
}

}  // namespace
}  // namespace tessaro
