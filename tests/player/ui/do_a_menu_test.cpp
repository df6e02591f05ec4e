// The popup chooser "Choose A Macro": its options, sizes, lines, keys and place, alone and
// as a window on the offscreen platform.
#include "player/ui/do_a_menu.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "macro/macro_record.h"
#include "platform/sim/sim_platform.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"
#include "tests/support/qt_app.h"

namespace tessaro {
namespace {

std::vector<ChooserItem> Items(int count) {
    std::vector<ChooserItem> items;
    for (int i = 1; i <= count; ++i) {
        ChooserItem item;
        item.macro = 100 + i;
        item.nickname = "Macro " + std::to_string(i);
        item.text = "text " + std::to_string(i);
        item.scope = scGlobal;
        item.activationCode = acNone;
        items.push_back(item);
    }
    return items;
}

TEST(ChooserOptions, StyleFromTheSecondCharacterAndIconSizeFromTheThird) {
    struct Case {
        const char* options;
        ChooserStyle style;
        int size;
    } const cases[] = {
        {"Y10", ChooserStyle::Text, 16},  {"N21", ChooserStyle::Icons, 24}, {"Y32", ChooserStyle::Names, 32},
        {" 23", ChooserStyle::Icons, 48}, {"N24", ChooserStyle::Icons, 64}, {"N27", ChooserStyle::Icons, 16},
        {"  2", ChooserStyle::Names, 32}, {"", ChooserStyle::Names, 16},    {"Y", ChooserStyle::Names, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const ChooserOptions o = ChooserOptionsOf(c.options);
        EXPECT_EQ(o.style, c.style);
        EXPECT_EQ(o.iconSize, c.size);
    }
}

TEST(ChooserGeometry, IconStyleNineButtonsARowAndTheWidthRule) {
    struct Case {
        int items, size, rows, width, height;
    } const cases[] = {
        {9, 32, 1, 32 * 9 + 36, 36 + 22},  {10, 32, 2, 32 * 9 + 36, 72 + 22},
        {18, 16, 2, 16 * 9 + 36, 40 + 22}, {19, 16, 3, 16 * 9 + 36, 60 + 22},
        {8, 24, 1, 8 * 28, 28 + 22},       {4, 64, 1, 4 * 68, 68 + 22},
        {3, 64, 1, 4 * 68, 68 + 22},       {1, 16, 1, 4 * 20, 20 + 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.items);
        const ChooserGeometry g = IconGeometry(c.items, c.size);
        EXPECT_EQ(g.rows, c.rows);
        EXPECT_EQ(g.width, c.width);
        EXPECT_EQ(g.height, c.height);
        EXPECT_EQ(g.button, c.size + 4);
    }
}

TEST(ChooserGeometry, ListStylesEighteenLinesToAListOfSeventeenPixels) {
    ChooserGeometry g = ListGeometry(5);
    EXPECT_FALSE(g.twoLists);
    EXPECT_EQ(g.listHeight, 5 * 17 + 8);
    EXPECT_EQ(g.width, 300);
    EXPECT_EQ(g.height, 5 * 17 + 8 + 42);
    g = ListGeometry(18);
    EXPECT_FALSE(g.twoLists);
    EXPECT_EQ(g.listHeight, 314);
    g = ListGeometry(19);
    EXPECT_TRUE(g.twoLists);
    EXPECT_EQ(g.width, 604);
    EXPECT_EQ(g.listHeight, 314);
    EXPECT_EQ(g.height, 314 + 42);
}

TEST(ChooserKeys, DigitsThenLettersOfEitherCaseAndNothingElse) {
    EXPECT_EQ(KeyOfItem(0), '0');
    EXPECT_EQ(KeyOfItem(9), '9');
    EXPECT_EQ(KeyOfItem(10), 'A');
    EXPECT_EQ(KeyOfItem(35), 'Z');
    EXPECT_EQ(ItemOfKey('0', 36), 0);
    EXPECT_EQ(ItemOfKey('9', 36), 9);
    EXPECT_EQ(ItemOfKey('A', 36), 10);
    EXPECT_EQ(ItemOfKey('a', 36), 10);
    EXPECT_EQ(ItemOfKey('z', 36), 35);
    // Keys of items that do not exist, and keys that are neither digit nor letter.
    EXPECT_EQ(ItemOfKey('5', 5), std::nullopt);
    EXPECT_EQ(ItemOfKey('A', 10), std::nullopt);
    for (const char key : {'!', ' ', '\r', '\x1b', '-', '\xe9'})
        EXPECT_EQ(ItemOfKey(key, 36), std::nullopt) << key;
}

TEST(ChooserLines, NameColumnDescribesNamelessMacrosAndTheScopeColumnTheirScope) {
    ChooserItem item;
    item.nickname = "Letter Head";
    EXPECT_EQ(ActivationDescription(item), "Letter Head");
    item.nickname.clear();
    item.abbreviation = "sig";
    const std::pair<std::uint16_t, std::string> cases[] = {{acNone, "None"},
                                                           {acWindowTitle, "Window Title"},
                                                           {acScheduled, "Timed Macro"},
                                                           {acAbbreviation, "sig"},
                                                           {154, HotKeyNames(154)}};
    for (const auto& [code, text] : cases) {
        item.activationCode = code;
        EXPECT_EQ(ActivationDescription(item), text) << code;
    }
    item.scopeText = "Notepad";
    item.scope = scGlobal;
    EXPECT_EQ(ScopeDescription(item), "GLOBAL");
    item.scope = scPopupMenu;
    EXPECT_EQ(ScopeDescription(item), "Popup Menu");
    item.scope = scWindow;
    EXPECT_EQ(ScopeDescription(item), "Notepad");

    const auto width = [](const std::string& s) { return static_cast<int>(s.size()) * 7; };
    EXPECT_EQ(CutToWidth("abcdefghij", 49, width), "abcdefg");
    EXPECT_EQ(CutToWidth("abc", 49, width), "abc");
    EXPECT_EQ(CutToWidth("abc", 3, width), "");
    EXPECT_EQ(OneLine("one\r\ntwo\tthree"), "one  two three");
}

TEST(ChooserPlace, AtTheTrayIconOnTheBottomElseCentred) {
    // Left edge at the icon when it fits, else the right edge, never left of the screen.
    ChooserPlace p = ChooserPosition(100, 300, 200, 1024, 768);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 568);
    p = ChooserPosition(900, 300, 200, 1024, 768);
    EXPECT_EQ(p.x, 600);
    p = ChooserPosition(724, 300, 200, 1024, 768);
    EXPECT_EQ(p.x, 724);
    p = ChooserPosition(250, 604, 356, 640, 480);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 124);
    p = ChooserPosition(std::nullopt, 300, 200, 1024, 768);
    EXPECT_EQ(p.x, 362);
    EXPECT_EQ(p.y, 284);
}

class Chooser : public ::testing::Test {
protected:
    void SetUp() override { EnsureQtApplication(); }
    win::sim::SimPlatform platform_;
    // Runs the window and does `act` once it shows; the result.
    int Run(TDoAMenu& window, const std::function<void()>& act) {
        QTimer::singleShot(0, &window, act);
        window.exec();
        return window.Result();
    }
};

TEST_F(Chooser, TwoListsWithKeyCellsAndALetterChoosesItsItem) {
    TDoAMenu window(platform_.desktop(), {ChooserStyle::Names, 16}, Items(20), std::nullopt);
    ASSERT_NE(window.Script, nullptr);
    ASSERT_NE(window.Script2, nullptr);
    EXPECT_EQ(window.windowTitle(), "Choose A Macro");
    EXPECT_EQ(window.width(), 604);
    EXPECT_EQ(window.Script->rowCount(), 18);
    EXPECT_EQ(window.Script2->rowCount(), 2);
    EXPECT_EQ(window.Script->rowHeight(0), 17);
    EXPECT_EQ(window.Script->item(0, 0)->text(), "0");
    EXPECT_EQ(window.Script->item(9, 0)->text(), "9");
    EXPECT_EQ(window.Script->item(10, 0)->text(), "A");
    EXPECT_EQ(window.Script2->item(1, 0)->text(), "J");
    EXPECT_EQ(window.Script->item(3, 1)->text(), "Macro 4");
    EXPECT_EQ(window.Script->item(3, 2)->text(), "GLOBAL");
    EXPECT_EQ(window.Script->horizontalHeaderItem(1)->text(), "Name");
    EXPECT_EQ(window.Script->horizontalHeaderItem(2)->text(), "Scope");
    // Every line shows whole: the list is its lines below its titles.
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.Script->viewport()->height() + window.Script->horizontalHeader()->height() +
                  2 * window.Script->frameWidth(),
              window.Script->height());
    EXPECT_GE(window.Script->viewport()->height(), 18 * 17);

    EXPECT_EQ(Run(window, [&] { window.FormKeyPress('j'); }), 120);
}

TEST_F(Chooser, TextStyleShowsTheMacroTextAndCancelChoosesNothing) {
    std::vector<ChooserItem> items = Items(3);
    items[1].text = "Dear Sir,\r\nthank you";
    TDoAMenu window(platform_.desktop(), {ChooserStyle::Text, 16}, items, std::nullopt);
    EXPECT_EQ(window.width(), 300);
    EXPECT_EQ(window.Script2, nullptr);
    EXPECT_EQ(window.Script->horizontalHeaderItem(1)->text(), "Macro Text");
    EXPECT_EQ(window.Script->item(1, 1)->text(), "Dear Sir,  thank you");
    // Keys of missing items and other keys leave the window open.
    EXPECT_EQ(Run(window,
                  [&] {
                      EXPECT_FALSE(window.FormKeyPress('3'));
                      EXPECT_FALSE(window.FormKeyPress('#'));
                      EXPECT_TRUE(window.isVisible());
                      window.AbortButton->click();
                  }),
              -1);
    EXPECT_EQ(window.AbortButton->text(), "&Cancel");
}

TEST_F(Chooser, ADoubleClickOnTheSecondListChoosesItsLine) {
    TDoAMenu window(platform_.desktop(), {ChooserStyle::Names, 16}, Items(25), std::nullopt);
    EXPECT_EQ(Run(window, [&] { emit window.Script2->cellDoubleClicked(2, 1); }), 121);
}

TEST_F(Chooser, IconStyleButtonsInRowsOfNineAndAClickChooses) {
    TDoAMenu window(platform_.desktop(), {ChooserStyle::Icons, 32}, Items(10), std::nullopt);
    ASSERT_EQ(window.SpeedButtons.size(), 10u);
    EXPECT_EQ(window.Script, nullptr);
    EXPECT_EQ(window.width(), 32 * 9 + 36);
    EXPECT_EQ(window.SpeedButtons[8]->geometry(), QRect(8 * 36, 0, 36, 36));
    EXPECT_EQ(window.SpeedButtons[9]->geometry(), QRect(0, 36, 36, 36));
    EXPECT_EQ(window.SpeedButtons[9]->toolTip(), "Macro 10");
    EXPECT_EQ(window.SpeedButtons[0]->iconSize(), QSize(32, 32));
    EXPECT_GE(window.height(), 2 * 36 + 22);
    EXPECT_EQ(Run(window, [&] { window.SpeedButtons[4]->click(); }), 105);
}

TEST_F(Chooser, MoreThanThirtySixItemsAreCutToThirtySix) {
    TDoAMenu window(platform_.desktop(), {ChooserStyle::Names, 16}, Items(40), std::nullopt);
    EXPECT_EQ(window.Script->rowCount() + window.Script2->rowCount(), 36);
    EXPECT_EQ(window.Script2->item(17, 0)->text(), "Z");
    EXPECT_EQ(Run(window, [&] { window.FormKeyPress('Z'); }), 136);
}

TEST_F(Chooser, LongNicknamesAreCutToFitBeforeTheScopeColumn) {
    std::vector<ChooserItem> items = Items(1);
    items[0].nickname = std::string(50, 'W');
    TDoAMenu window(platform_.desktop(), {ChooserStyle::Names, 16}, items, std::nullopt);
    const QString shown = window.Script->item(0, 1)->text();
    EXPECT_LT(shown.size(), 50);
    EXPECT_GT(shown.size(), 0);
    const QFontMetrics metrics(window.Script->font());
    EXPECT_LE(metrics.horizontalAdvance(shown), 300 * 9 / 14);
}

}  // namespace
}  // namespace tessaro
