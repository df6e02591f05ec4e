#include "editor/script/ui/do_scripting.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "editor/script/display_text.h"
#include "editor/script/ui/script_editor_services.h"
#include "platform/message_box.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

// Command editors that confirm at once with a remark naming the code.
class Services : public ScriptEditorServices {
public:
    std::vector<std::pair<int, bool>> edits;
    std::string chosenScope;

    bool EditCommand(QWidget*, ScriptList& list, int code, bool isNew, AddStyle style,
                     int insertIndex) override {
        edits.emplace_back(code, isNew);
        TNameRec rec{"code " + std::to_string(code)};
        ScriptLine line = MakeLine(cmd::Remark, rec);
        if (isNew)
            InsertNewLine(list, style, insertIndex, line);
        else
            ReplaceLine(list, insertIndex, line);
        return true;
    }
    std::string ChooseWindowOrProgram(QWidget*, const std::string&, bool, bool& topmost) override {
        topmost = false;
        return chosenScope;
    }
    void SetSchedule(QWidget*, TMacroRecord&) override {}
    void SnipraProperties(QWidget*, TMacroRecord&) override {}
};

struct ScriptingFixture : ::testing::Test {
    testing::TempDir dir;
    TConfigRecord config{};
    TMacroRecord current{};
    Services services;
    std::vector<std::string> boxes;
    std::vector<std::uint32_t> posts;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        boxes.push_back(call.caption + ": " + call.text);
        return win::MbResult::Ok;
    }};
    ScriptingFixture() { EnsureQtApplication(); }
    std::unique_ptr<TDoScripting> Open(int mode, bool existing) {
        auto w = std::make_unique<TDoScripting>(
            nullptr, current, config, services, dir.path(),
            [this](std::uint32_t code, std::int32_t) { posts.push_back(code); });
        w->ScriptMode = mode;
        w->IsExisting = existing;
        w->FormShow();
        return w;
    }
};

TEST_F(ScriptingFixture, AnExistingMacroOpensAsLinesWithItsScope) {
    current.Nickname.assign("Greeting");
    current.Scope = scWindow;
    current.ScopeText.assign("Notes");
    current.IconName.assign("MAIN");
    SetMacroText(current, "Hello<DELAY:02.00>");
    auto w = Open(1, true);
    EXPECT_EQ(w->NickName->text(), "Greeting");
    EXPECT_TRUE(w->Specific->isChecked());
    EXPECT_EQ(w->windowTitle(), "Macro Scripting Editor  (Window Title: Notes)");
    ASSERT_EQ(w->Script->count(), 2);
    EXPECT_FALSE(w->DoEdit->isEnabled());  // nothing selected yet
    EXPECT_TRUE(w->HotKeyLabel->isVisibleTo(w.get()));
    EXPECT_FALSE(w->SetSchedule->isVisibleTo(w.get()));
}

TEST_F(ScriptingFixture, GlobalTakenMovesTheScopeToTheWindowAndDisablesGlobal) {
    current.Scope = scGlobal;
    auto w = std::make_unique<TDoScripting>(nullptr, current, config, services, dir.path(),
                                            [](std::uint32_t, std::int32_t) {});
    w->ScriptMode = 1;
    w->IsExisting = true;
    w->GlobalTaken = true;
    w->FormShow();
    EXPECT_TRUE(w->Specific->isChecked());
    EXPECT_FALSE(w->Global->isEnabled());
}

TEST_F(ScriptingFixture, LinesAreAddedWhereTheInsertionMethodSaysAndSaved) {
    config.InsertMethod = 1;  // before the selection
    auto w = Open(6, false);
    EXPECT_EQ(w->windowTitle(), "Macro Scripting Editor  (GLOBAL)");
    EXPECT_EQ(w->TimerLabel->text(), "None");
    EXPECT_TRUE(w->MenuInsBefore->isChecked());
    w->AddALine(AddStyle::AtEnd);
    EXPECT_EQ(boxes, std::vector<std::string>{"Error: No command selected.  Please select one."});
    w->OptionBox->setCurrentRow(cmd::Remark - 1);
    w->AddALine(AddStyle::AtEnd);
    w->AddALine(AddStyle::AtEnd);
    ASSERT_EQ(w->Script->count(), 2);
    EXPECT_EQ(w->Script->currentRow(), 1);
    w->CommandMenuClick(4);  // "Insert a &Delay": before the selected line
    ASSERT_EQ(w->Script->count(), 3);
    EXPECT_EQ(w->Script->currentRow(), 1);
    EXPECT_TRUE(w->Script->item(1)->text().contains("code 4"));
    EXPECT_TRUE(w->DoUp->isEnabled() && w->DoDown->isEnabled());

    w->DoCopyClick();
    EXPECT_EQ(w->Script->count(), 4);
    EXPECT_EQ(w->Script->currentRow(), 2);
    w->DoDeleteClick();
    EXPECT_EQ(w->Script->currentRow(), 2);
    w->MoveClick(true);
    w->MoveClick(true);
    EXPECT_EQ(w->Script->currentRow(), 0);
    EXPECT_FALSE(w->DoUp->isEnabled());
    w->DoEditClick();
    EXPECT_EQ(services.edits.back(), (std::pair<int, bool>{cmd::Remark, false}));

    w->NickName->setText("Mine");
    w->OkButtonClick();
    EXPECT_TRUE(w->Accepted);
    EXPECT_EQ(current.Nickname.view(), "Mine");
    EXPECT_FALSE(GetMacroText(current).empty());
}

TEST_F(ScriptingFixture, EditWithoutASelectionIsRefused) {
    auto w = Open(6, false);
    w->DoEditClick();
    w->DoCopyClick();
    EXPECT_EQ(boxes, (std::vector<std::string>{"Error: No Item Selected.",
                                               "Error: No script line selected.  Please select one."}));
}

TEST_F(ScriptingFixture, ModesShowTheirPanels) {
    current.ScopeText.assign("A window title longer than twenty");
    current.Abbreviation.assign("brb");
    auto titled = Open(7, true);
    EXPECT_EQ(titled->SnipraName->text(), "A window title longe");
    EXPECT_FALSE(titled->ProgExe->isEnabled());
    auto snipra = Open(3, true);
    EXPECT_EQ(snipra->SnipraName->text(), "brb");
    EXPECT_TRUE(snipra->ShortProp->isVisibleTo(snipra.get()));
    EXPECT_EQ(snipra->TimerLabel->text(), "Snipra");
}

TEST_F(ScriptingFixture, TheChosenScopeIsCutAndNamedInTheCaption) {
    current.Scope = scProgram;
    auto w = Open(1, true);
    services.chosenScope = std::string(40, 'p');
    w->ChooseWinProgClick();
    EXPECT_EQ(current.ScopeText.view(), std::string(30, 'p'));
    EXPECT_EQ(current.TopmostOnly, 0);
    EXPECT_EQ(w->windowTitle().toStdString(),
              "Macro Scripting Editor  (Program: " + std::string(30, 'p') + ")");
}

}  // namespace
}  // namespace tessaro
