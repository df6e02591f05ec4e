#include "editor/explorer/tools/small_dialogs.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <fstream>
#include <vector>

#include "editor/explorer/tools/swap_dialogs.h"
#include "platform/message_box.h"
#include "platform/named_mutex.h"
#include "platform/shared_memory.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"
#include "protocol/object_names.h"
#include "protocol/swap_keys.h"
#include "protocol/window_messages.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

struct DialogFixture : ::testing::Test {
    testing::TempDir dir;
    std::vector<std::string> boxes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        boxes.push_back(call.caption + ": " + call.text);
        return win::MbResult::Ok;
    }};
    DialogFixture() { EnsureQtApplication(); }
};

TMacroRecord Macro(int activation, int scope) {
    TMacroRecord m{};
    m.Nickname.assign("Greeting");
    m.ActivationCode = static_cast<std::uint16_t>(activation);
    m.Scope = static_cast<std::uint16_t>(scope);
    m.IconName.assign("GONE.ICO");
    m.ScopeText.assign("gedit");
    m.Enabled = 1;
    SetMacroText(m, "Hello");
    return m;
}

TEST_F(DialogFixture, QuickInfoShowsTheSummaryByKind) {
    TQuickInfo hot(nullptr, Macro(5, scProgram), dir.path(), "");
    EXPECT_EQ(hot.ActivationLabel->text(), "Hot Key:");
    EXPECT_EQ(hot.Activation->text().toStdString(), HotKeyNames(5));
    EXPECT_EQ(hot.Scope->text(), "gedit \"Program\" (If Running)");
    EXPECT_EQ(hot.Active->text(), "Yes");
    EXPECT_EQ(hot.Memo->toPlainText(), "Hello");
    EXPECT_EQ(hot.IconName, "MAIN");  // the icon file is gone
    EXPECT_TRUE(hot.LastModified->text().startsWith("Last Modified On "));

    TQuickInfo none(nullptr, Macro(acNone, scPopupMenu), dir.path(), "");
    EXPECT_EQ(none.ActivationLabel->text(), "None");
    EXPECT_EQ(none.Activation->text(), "");
    EXPECT_EQ(none.TextLabel->text(), "");
    EXPECT_FALSE(none.Memo->isEnabled());

    TQuickInfo timed(nullptr, Macro(acScheduled, scWindow), dir.path(), "Every day at 9:00 AM");
    EXPECT_EQ(timed.Activation->text(), "Every day at 9:00 AM");
    EXPECT_EQ(timed.Scope->text(), "gedit \"Window\" (If Running)");
}

TEST_F(DialogFixture, AMissingManualIsReported) {
    TUserManual dlg(nullptr, dir.path());
    dlg.OkButtonClick();
    EXPECT_EQ(boxes,
              std::vector<std::string>{
                  "Error: The Tutorial / User Manual could not be located.  Please make sure that it was "
                  "installed."});
}

TEST_F(DialogFixture, CategoryNamesAreRequiredAndChoicesSorted) {
    TDoCategory name(nullptr, "Work");
    EXPECT_EQ(name.CatName->text(), "Work");
    name.CatName->setText("   ");
    name.OkButtonClick();
    EXPECT_EQ(boxes.back(), "Error: No name has been entered for the category.");
    EXPECT_EQ(name.Name, "Work");
    name.CatName->setText(" Home ");
    name.OkButtonClick();
    EXPECT_EQ(name.Name, "Home");

    TChooseCategory choose(nullptr, {"Zeta", "Alpha"});
    EXPECT_EQ(choose.CatList->item(0)->text(), "Alpha");
    choose.OkButtonClick();
    EXPECT_EQ(choose.Chosen, "Alpha");
    TChooseCategory empty(nullptr, {});
    empty.OkButtonClick();
    EXPECT_EQ(boxes.back(), "Error: No category has been selected.");
    EXPECT_EQ(empty.Chosen, "");
}

// The picker answered by the test instead of a modal window.
class ScriptedRemapper : public TDoSwapKeys {
public:
    using TDoSwapKeys::TDoSwapKeys;
    int picks = 0;
    std::uint8_t answer = 'b';

protected:
    bool Pick(QTableWidget*, int, std::uint8_t& character) override {
        ++picks;
        character = answer;
        return true;
    }
};

TEST_F(DialogFixture, TheRemapperEditsThePlayersTableAndSavesOnlyAfterAChange) {
    std::vector<std::pair<std::uint32_t, std::int32_t>> posts;
    const auto notify = [&](std::uint32_t code, std::int32_t arg) { posts.emplace_back(code, arg); };
    const std::string file = dir.file("work.QTS");
    {
        ScriptedRemapper without(nullptr, file, notify);
        EXPECT_EQ(without.LowerGrid->item(0, 1)->text(), "");  // no player
        without.GridDblClick(without.LowerGrid, 0, 1);
        EXPECT_EQ(without.picks, 0);
        without.accept();
    }
    EXPECT_TRUE(posts.empty());

    const auto block = win::SharedMemory::Create(kSwapBlockName, sizeof(TSwapShared));
    const auto mutex = win::NamedMutex::Create(kSwapMutexName);
    auto& shared = *static_cast<TSwapShared*>(block->data());
    shared.Keys = DefaultSwapKeys();
    shared.Keys.Upper[1] = 0;
    ScriptedRemapper dlg(nullptr, file, notify);
    EXPECT_EQ(dlg.LowerGrid->item(0, 1)->text(), "a");
    EXPECT_EQ(dlg.UpperGrid->item(1, 1)->text(), "none");
    EXPECT_EQ(dlg.PunctGrid->item(0, 0)->text(), " ");
    EXPECT_EQ(dlg.NumGrid->item(9, 1)->text(), "9");
    dlg.GridDblClick(dlg.LowerGrid, 0, 0);  // the first column opens nothing
    EXPECT_EQ(dlg.picks, 0);
    dlg.GridDblClick(dlg.LowerGrid, 0, 1);
    EXPECT_EQ(shared.Keys.Lower[0], 'b');
    EXPECT_EQ(dlg.LowerGrid->item(0, 1)->text(), "b");
    dlg.accept();
    EXPECT_EQ(posts, (std::vector<std::pair<std::uint32_t, std::int32_t>>{{puSwapKeys, 0}}));
    TSwapKeys saved{};
    std::ifstream(file, std::ios::binary).read(reinterpret_cast<char*>(&saved), sizeof saved);
    EXPECT_EQ(saved.Lower[0], 'b');
}

TEST_F(DialogFixture, ThePickerOffersCodes32To255) {
    TDoSwapSpecial picker(nullptr, 'a' - 32);
    EXPECT_EQ(picker.SymbolGrid->currentRow(), ('a' - 32) / 28);
    picker.OkButtonClick();
    EXPECT_TRUE(picker.Chosen);
    EXPECT_EQ(picker.Character, 'a');
    TDoSwapSpecial last(nullptr, 500);
    last.OkButtonClick();
    EXPECT_EQ(last.Character, 255);
}

// Every one of the 224 characters lies inside the shown picker and is chosen by a click
// on its cell (pressed and let go as a hand does) and "&Ok".
TEST_F(DialogFixture, EveryCharacterOfThePickerCanBeChosenByAClick) {
    std::vector<int> missed;
    for (int code = 32; code <= 255; ++code) {
        TDoSwapSpecial picker(nullptr, 0);
        picker.show();
        QApplication::processEvents();
        QTableWidget* grid = picker.SymbolGrid;
        const int index = code - 32;
        const QRect cell = grid->visualRect(grid->model()->index(index / 28, index % 28));
        if (!grid->viewport()->rect().contains(cell)) {
            missed.push_back(code);
            continue;
        }
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cell.center(), 60);
        picker.findChild<QPushButton*>("OkButton")->click();
        if (!picker.Chosen || picker.Character != code) missed.push_back(code);
    }
    EXPECT_TRUE(missed.empty()) << missed.size() << " characters cannot be chosen, the first "
                                << (missed.empty() ? 0 : missed.front());
}

}  // namespace
}  // namespace tessaro
