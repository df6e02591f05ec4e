#include "editor/wizard/t_quick_wiz.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QDir>
#include <QFile>
#include <QStackedWidget>
#include <fstream>
#include <set>
#include <utility>
#include <vector>

#include "editor/wizard/control_binding.h"
#include "foundation/settings.h"
#include "protocol/hotkey_names.h"
#include "platform/sim/sim_system_settings.h"
#include "tests/editor/wizard/wizard_form_fixture.h"
#include "tests/editor/wizard/wizard_seen.h"
#include "tests/editor/wizard/walk_files.h"
#include "tests/editor/wizard/wizard_walk.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using testing::WizardFormTest;

class QuickWizForm : public WizardFormTest {
protected:
    // A control of a page another group builds, standing in for that group.
    template <class W>
    W* Stand(TQuickWiz& form, int page, const char* name) {
        auto* w = new W(form.Panel(page));
        w->setObjectName(name);
        return w;
    }
    static QWidget* Shown(TQuickWiz& form) { return form.Panel(form.CurrentPage()); }
};

TEST_F(QuickWizForm, ShowsTheFunctionsTitleLogoAndFirstPage) {
    auto form = Open(6);
    EXPECT_EQ(form->windowTitle(), "Quick Wizard: Type Date or Time");
    EXPECT_EQ(form->Logo->Word(), "Date Or Time");
    EXPECT_EQ(form->Logo->PointSize(), 13);
    EXPECT_EQ(form->CurrentPage(), 1);
    EXPECT_FALSE(form->BackButton->isEnabled());
    EXPECT_EQ(form->NextButton->text(), "&Next >");
    EXPECT_EQ(form->Control<QLabel>("P1Functions")->text(),
              "Type the current, future or past date or time into your programs.");
    EXPECT_TRUE(form->Control<QLabel>("P1Examples")->text().startsWith(QString::fromUtf8("»Time stamp")));
    EXPECT_TRUE(Shown(*form)->isEnabled());
    EXPECT_FALSE(form->Panel(2)->isEnabled());
    EXPECT_EQ(form->font().family(), "Arial");
    EXPECT_EQ(form->font().pixelSize(), 13);
}

TEST_F(QuickWizForm, BypassStartsOnTheSecondPageAndItsBoxSavesTheSetting) {
    config->BypassWizardScreen = true;
    auto form = Open(1);
    EXPECT_EQ(form->CurrentPage(), 14);
    auto* bypass = form->Control<QCheckBox>("P1Bypass");
    EXPECT_TRUE(bypass->isChecked());
    form->BackButtonClick();
    EXPECT_EQ(form->CurrentPage(), 1);
    bypass->click();
    EXPECT_FALSE(config->BypassWizardScreen);
    bypass->click();
    EXPECT_TRUE(config->BypassWizardScreen);
    ASSERT_FALSE(posted.empty());
    EXPECT_EQ(posted.back(), std::make_pair(std::uint32_t(15), std::int32_t(0)));
    TConfigRecord reread;
    LoadMiscSettings(reread);
    EXPECT_TRUE(reread.BypassWizardScreen);

    config->BypassWizardScreen = true;
    EXPECT_EQ(Open(28)->CurrentPage(), 65);
}

TEST_F(QuickWizForm, NextChecksThePageAndBackDoesNot) {
    auto form = Open(1);
    auto* memo = Stand<QPlainTextEdit>(*form, 14, "P14MyMemo");
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 14);
    form->NextButtonClick();
    EXPECT_EQ(LastText(), "No text has been entered.");
    EXPECT_EQ(calls.back().caption, "Error");
    EXPECT_EQ(form->CurrentPage(), 14);
    memo->setPlainText("Hello");
    form->NextButtonClick();
    EXPECT_EQ(form->CurrentPage(), 2);
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 3);
    const size_t before = calls.size();
    form->NextButtonClick();
    EXPECT_EQ(LastText(), "A hot key has not been selected. Please select one.");
    EXPECT_EQ(calls.size(), before + 1);
    form->BackButtonClick();
    EXPECT_EQ(form->CurrentPage(), 2);
    EXPECT_EQ(calls.size(), before + 1);
}

TEST_F(QuickWizForm, PageThreeListsEveryHotKeyAndTakesAPressedOne) {
    AddMacro(2, 5);
    AddMacro(1, 5);
    AddMacro(3, 7);
    config->BypassWizardScreen = true;
    auto form = Open(10);
    Stand<QPlainTextEdit>(*form, 26, "P26MyMemo")->setPlainText("Dentist at four");
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 3);
    auto* list = form->Control<QListWidget>("P3KeyList");
    ASSERT_EQ(list->count(), 721);
    EXPECT_TRUE(list->item(5)->text().endsWith("  (2 macros in use)"));
    EXPECT_TRUE(list->item(7)->text().endsWith("  (1 macro in use)"));
    EXPECT_TRUE(list->item(8)->text().endsWith("  (Not in Use)"));
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_TRUE(form->Control<QRadioButton>("Daily")->isChecked());

    form->WMHotKeyChosen(721);
    EXPECT_EQ(form->Control<QLineEdit>("P3HotKeyEntry")->text(), "");
    form->WMHotKeyChosen(8);
    EXPECT_EQ(list->currentRow(), 8);
    EXPECT_EQ(form->Control<QLineEdit>("P3HotKeyEntry")->text(), QString::fromStdString(HotKeyNames(8)));

    // The list is loaded once: its selection survives Back and Next.
    form->BackButtonClick();
    form->NextButtonClick();
    EXPECT_EQ(list->currentRow(), 8);
}

TEST_F(QuickWizForm, TheHotKeyFieldRoutesPressedKeysToTheFormWhileItHasTheFocus) {
    config->BypassWizardScreen = true;
    auto form = Open(1);
    Stand<QPlainTextEdit>(*form, 14, "P14MyMemo")->setPlainText("x");
    form->NextButtonClick();
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 3);
    auto* entry = form->Control<QLineEdit>("P3HotKeyEntry");
    QApplication::setActiveWindow(form.get());
    entry->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(entry->hasFocus());
    EXPECT_EQ(glob->SecWndOn, 1);
    EXPECT_EQ(Unpacked(glob->SecWnd), static_cast<std::uint32_t>(form->winId()));
    form->Control<QListWidget>("P3KeyList")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(glob->SecWndOn, 0);
    entry->setFocus();
    QApplication::processEvents();
    form->reject();  // closing ends the routing even with the field focused
    EXPECT_EQ(glob->SecWndOn, 0);
}

TEST_F(QuickWizForm, AGlobalKeyAlreadyTakenLeavesOnlyTheWindowScope) {
    AddMacro(1, 42);
    config->BypassWizardScreen = true;
    auto form = Open(1);
    Stand<QPlainTextEdit>(*form, 14, "P14MyMemo")->setPlainText("x");
    form->NextButtonClick();
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 3);
    form->Control<QListWidget>("P3KeyList")->setCurrentRow(42);
    answers = {win::MbResult::No};
    form->NextButtonClick();
    EXPECT_EQ(calls.back().caption, "Warning");
    EXPECT_EQ(form->CurrentPage(), 3);
    EXPECT_TRUE(form->Control<QRadioButton>("P7Global")->isEnabledTo(form->Panel(7)));

    answers = {win::MbResult::Yes};
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 7);
    EXPECT_FALSE(form->Control<QRadioButton>("P7Global")->isEnabled());
    EXPECT_TRUE(form->Control<QRadioButton>("P7SpecWin")->isChecked());
    form->NextButtonClick();
    EXPECT_EQ(form->CurrentPage(), 8);
    EXPECT_TRUE(form->Control<QLineEdit>("P8Title")->isVisibleTo(form.get()));
    form->NextButtonClick();
    EXPECT_EQ(LastText(), "No window title name has been entered. Please enter one.");
}

TEST_F(QuickWizForm, TheLastPageReadsFinishAndTheScheduleShowsItsKind) {
    AddMacro(4, 30000);
    config->BypassWizardScreen = true;
    auto form = Open(5);
    Stand<QRadioButton>(*form, 21, "P21Web");
    Stand<QLineEdit>(*form, 22, "P22URL")->setText("example.org");
    form->NextButtonClick();
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 2);
    form->Control<QRadioButton>("P2Timed")->setChecked(true);
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 3);
    EXPECT_FALSE(form->Control<QListWidget>("P3KeyList")->isVisibleTo(form.get()));
    EXPECT_TRUE(form->findChild<QWidget*>("DailyPanel")->isVisibleTo(form.get()));
    form->Control<QRadioButton>("Hourly")->setChecked(true);
    EXPECT_FALSE(form->findChild<QWidget*>("DailyPanel")->isVisibleTo(form.get()));
    form->Control<QLineEdit>("HourlyMinutes")->setText("60");
    form->NextButtonClick();
    EXPECT_EQ(LastText(), "Invalid minutes specified.");
    form->Control<QLineEdit>("HourlyMinutes")->setText("59");
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 9);  // a popup menu exists; 7, 8 and 37 do not apply
    EXPECT_FALSE(form->Control<QListWidget>("P9PopupList")->isEnabled());
    form->NextButtonClick();
    EXPECT_EQ(form->CurrentPage(), 10);
    EXPECT_EQ(form->NextButton->text(), "&Finish");
    form->BackButtonClick();
    EXPECT_EQ(form->NextButton->text(), "&Next >");
}

TEST_F(QuickWizForm, SpinButtonsStepWithinTheirLimitsAndTheYearIsNotCut) {
    config->BypassWizardScreen = true;
    auto form = Open(10);
    Stand<QPlainTextEdit>(*form, 26, "P26MyMemo")->setPlainText("Call home");
    form->Control<QRadioButton>("P2Timed")->setChecked(true);
    form->NextButtonClick();
    ASSERT_EQ(form->CurrentPage(), 3);
    form->Control<QRadioButton>("Other")->setChecked(true);
    auto* other = form->Control<QLineEdit>("OtherMinutes");
    other->setText("720");
    form->findChild<QAbstractButton*>("OtherMinutesUp")->click();
    EXPECT_EQ(other->text(), "720");
    form->Control<QRadioButton>("Once")->setChecked(true);
    auto* year = form->Control<QLineEdit>("OnceYear");
    year->setText("2030");
    form->findChild<QAbstractButton*>("OnceYearUp")->click();
    EXPECT_EQ(year->text(), "2031");
    year->setText("9999");
    form->findChild<QAbstractButton*>("OnceYearUp")->click();
    EXPECT_EQ(year->text(), "9999");  // the box holds four digits
    auto* minutes = form->Control<QLineEdit>("HourlyMinutes");
    minutes->setText("0");
    form->Control<QRadioButton>("Hourly")->setChecked(true);
    form->findChild<QAbstractButton*>("HourlyMinutesDown")->click();
    EXPECT_EQ(minutes->text(), "0");
}

TEST_F(QuickWizForm, ControlBindingReadsAndWritesEveryKindByName) {
    auto form = Open(1);
    wizard::Answers a;
    a.Set("P10Nick").text = "Caf\xE9";  // Windows-1252
    a.Set("P2Snipra").checked = true;
    a.Set("OnceMonth").index = 4;
    a.Set("P8Path").enabled = false;
    WriteControls(form.get(), a);
    EXPECT_EQ(form->Control<QLineEdit>("P10Nick")->text(), QString::fromUtf8("Café"));
    EXPECT_FALSE(form->Control<QRadioButton>("P2HotKey")->isChecked());
    const wizard::Answers back = form->Snapshot();
    EXPECT_EQ(back.Text("P10Nick"), "Caf\xE9");
    EXPECT_TRUE(back.Checked("P2Snipra"));
    EXPECT_EQ(back.Index("OnceMonth"), 4);
    EXPECT_EQ(back.Items("OnceMonth").size(), 12u);
    EXPECT_FALSE(back.Get("P8Path").enabled);
    EXPECT_TRUE(back.Get("P8Title").enabled);  // disabled only through its hidden page
    EXPECT_EQ(back.Index("P3KeyList"), -1);
}

TEST_F(QuickWizForm, PageTextsShowAsLabelsShowThemAndPage70ListsWhatTheProgramDoes) {
    auto form = Open(1);
    const QString examples = form->Control<QLabel>("P1Examples")->text();
    EXPECT_TRUE(examples.contains("such as\n     Name, Address, Phone\n     Headers & Footers\n"))
        << examples.toStdString();
    EXPECT_FALSE(examples.contains('\r'));

    auto firstUse = Open(28);
    firstUse->NextButtonClick();
    ASSERT_EQ(firstUse->CurrentPage(), 70);
    auto* left = firstUse->Control<QLabel>("P70Lab1");
    auto* right = firstUse->Control<QLabel>("P70Lab2");
    ASSERT_TRUE(left && right);
    EXPECT_TRUE(left->isVisible() && right->isVisible());
    const QStringList lines1 = left->text().split('\n');
    const QStringList lines2 = right->text().split('\n');
    ASSERT_EQ(lines1.size(), 14) << left->text().toStdString();
    EXPECT_EQ(lines1.front(), "Type text, symbols & keystrokes");
    EXPECT_EQ(lines1[7], "Change speaker volume & balance");
    EXPECT_EQ(lines1.back(), "Tile, Cascade, Minimize Desktop");
    ASSERT_EQ(lines2.size(), 15) << "a break after the last line too";
    EXPECT_EQ(lines2.front(), "Reboot, Logoff, Shutdown");
    EXPECT_EQ(lines2[5], "Send E-Mail & Attachments");
    EXPECT_EQ(lines2[13], "Play a video clip or sound");
    EXPECT_TRUE(lines2.back().isEmpty());
}

// Each function walked as far as its pages let a hand go here, each page checked and drawn
// as it comes up; then every page shown as it stands, which covers the pages no walk reaches
// (a recording, a command dialog, dial-up first). One test per walk: a hand's clicks take
// their time, and all of them in one test would come near the time a hung test is given.
using Choice = std::pair<int, const char*>;  // page, button clicked there
struct ScreenWalk {
    int function;
    std::vector<Choice> choices;
};

std::vector<ScreenWalk> ScreenWalks() {
    std::vector<ScreenWalk> walks;
    for (int function = 1; function <= 29; ++function) walks.push_back({function, {}});
    walks.insert(walks.end(), {{1, {{2, "P2Title"}}},
                               {1, {{7, "P7SpecWin"}}},
                               {4, {{30, "P30LaunchAct"}}},
                               {4, {{30, "P30OpenDoc"}}},
                               {17, {{43, "P43Audio"}}},
                               {17, {{43, "P43MIDI"}}},
                               {21, {{39, "P39Choice"}}},
                               {27, {{53, "P53System"}}},
                               {27, {{53, "P53Program"}}},
                               {27, {{53, "P53Macro"}}},
                               {29, {{75, "P75cc"}, {75, "P75Blind"}}}});
    return walks;
}

class QuickWizScreens : public QuickWizForm, public ::testing::WithParamInterface<ScreenWalk> {
protected:
    void SetUp() override {
        QuickWizForm::SetUp();
        QDir().mkpath(screens);
        for (int n : {AddMacro(1, 5), AddMacro(4, 30000)})
            config->MacroNicknames[static_cast<size_t>(n)] = "Macro " + std::to_string(n);
        desktop.AddWindow("Target", 4242, "target");
        win::sim::TheSimPrinters().names = {"Office"};
        win::sim::TheSimSystemSettings().modes = {{800, 600, 1 << 24, 60}};
    }
    void TearDown() override {
        win::sim::TheSimPrinters().names.clear();
        win::sim::TheSimSystemSettings().modes.clear();
        QuickWizForm::TearDown();
    }
    // Checks the page on screen and draws it once; a page drawn as a walk reached it is not
    // drawn again as it stands.
    void Check(TQuickWiz& form, int page, bool asItStands = false) {
        QApplication::processEvents();
        EXPECT_EQ(testing::PageFaults(form, page), std::vector<std::string>{})
            << "function " << form.WizardFunction() << ", page " << page;
        const QString file = screens + QString("/TQuickWiz-page%1.png").arg(page, 2, 10, QChar('0'));
        if (!drawn_.insert(page).second || (asItStands && QFile::exists(file))) return;
        EXPECT_TRUE(form.grab().save(file)) << page;
    }
    const QString screens = QStringLiteral(TESSARO_TEST_BIN_DIR) + "/../screens";

private:
    std::set<int> drawn_;
};

TEST_P(QuickWizScreens, EachPageOfTheWalkIsWhole) {
    const testing::WalkPlaces places = testing::MakeWalkPlaces(dir);
    const ScreenWalk& walk = GetParam();
    auto form = Open(walk.function);
    const auto choose = [&walk](TQuickWiz& f, int page) {
        for (const Choice& c : walk.choices)
            if (c.first == page) testing::Click(f, c.second);
    };
    const auto check = [this](TQuickWiz& f, int page) { Check(f, page); };
    testing::WalkToFinish(*form, places, {.choose = choose, .seen = check});
    form->reject();
}

INSTANTIATE_TEST_SUITE_P(Walks, QuickWizScreens, ::testing::ValuesIn(ScreenWalks()),
                         [](const ::testing::TestParamInfo<ScreenWalk>& info) {
                             std::string name = "Function" + std::to_string(info.param.function);
                             for (const Choice& c : info.param.choices) name += std::string("_") + c.second;
                             return name;
                         });

TEST_F(QuickWizScreens, EveryPageAsItStandsIsWhole) {
    auto form = Open(1);
    auto* stack = form->findChild<QStackedWidget*>();
    ASSERT_NE(stack, nullptr);
    for (int page = 1; page <= 83; ++page) {
        if (page == 79 || page == 80) continue;  // empty, in no sequence
        form->Panel(page)->setEnabled(true);     // as the flow shows a page
        stack->setCurrentWidget(form->Panel(page));
        Check(*form, page, /*asItStands=*/true);
    }
}

}  // namespace
}  // namespace tessaro
