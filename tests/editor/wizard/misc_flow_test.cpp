// The popup-menu, combined-macro and sweepstakes pages inside the real wizard form.
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "editor/model/wizard/sweep_pages.h"
#include "editor/wizard/t_quick_wiz.h"
#include "macro/capture_file.h"
#include "platform/messages.h"
#include "tests/editor/wizard/wizard_form_fixture.h"

namespace tessaro {
namespace {

using testing::WizardFormTest;

class MiscFlow : public WizardFormTest {
protected:
    void AddNamed(const char* nickname, std::uint16_t scope) {
        config->MacroNicknames[AddMacro(scope, 5)] = nickname;
    }
};

TEST_F(MiscFlow, PopupMenuPagesAskForMacrosAndSetTheActivationTheMenuNeeds) {
    AddNamed("One", scGlobal);
    AddNamed("Two", scWindow);
    auto form = Open(25);
    ASSERT_TRUE(NextTo(*form, 50));
    auto* list = form->Control<QListWidget>("P50Macros");
    ASSERT_EQ(list->count(), 2);
    form->NextButtonClick();
    EXPECT_EQ(form->CurrentPage(), 50);
    EXPECT_EQ(LastText(), "No macros have been selected for the menu. Please correct.");
    list->item(1)->setSelected(true);
    ASSERT_TRUE(NextTo(*form, 52));
    form->BackButtonClick();
    form->BackButtonClick();
    EXPECT_EQ(form->CurrentPage(), 50);
    EXPECT_TRUE(list->item(1)->isSelected());  // revisiting keeps the choice
    EXPECT_EQ(list->count(), 2);
    EXPECT_TRUE(form->Snapshot().Checked("P2HotKey"));
    EXPECT_TRUE(form->Snapshot().Checked("P7Global"));
}

TEST_F(MiscFlow, CombinedMacroNeedsALineBeforeTheWizardMovesOn) {
    AddNamed("Sign", scGlobal);
    auto form = Open(26);
    ASSERT_TRUE(NextTo(*form, 64));
    form->NextButtonClick();
    EXPECT_EQ(form->CurrentPage(), 64);
    EXPECT_EQ(LastText(), "No macro commands have been moved over to form the new macro.");
    form->Control<QListWidget>("P64AvailBox")->setCurrentRow(0);
    form->Control<QPushButton>("P64AddButton")->click();
    EXPECT_EQ(form->Snapshot().Items("P64NewBox"), std::vector<std::string>{"Sign"});
    form->NextButtonClick();
    EXPECT_EQ(form->CurrentPage(), 2);
}

TEST_F(MiscFlow, SweepstakesRecordingKeepsTheWizardRunningAndReturnsAfterThePage) {
    auto form = Open(18);
    ASSERT_TRUE(NextTo(*form, 72));
    form->NextButtonClick();  // no helper: refused, the page stays
    EXPECT_EQ(form->CurrentPage(), 72);
    EXPECT_NE(LastText().find("could not be found"), std::string::npos) << LastText();

    const std::string helper = wizard::SweepHelperPath(dir);
    std::ofstream(helper) << "#!/bin/sh\necho \"$2\" > \"" << dir << "/window\"\n";
    ::chmod(helper.c_str(), 0755);
    form->NextButtonClick();
    EXPECT_EQ(form->CurrentPage(), 2);
    EXPECT_TRUE(form->isMinimized());
    EXPECT_TRUE(form->isVisible());  // the modal wizard goes on
    std::string window;
    for (int i = 0; i < 300 && window.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream(dir + "/window") >> window;
    }
    ASSERT_FALSE(window.empty());
    const auto hwnd = static_cast<win::HWND>(std::stoul(window));
    platform.messages().SendMessage(hwnd, 0x403, 1000, 'w');
    platform.messages().SendMessage(hwnd, 0x404, 0, 0);
    QApplication::processEvents();
    EXPECT_FALSE(form->isMinimized());
    EXPECT_EQ(form->CurrentPage(), 2);  // showing again does not restart the wizard
    std::ifstream in(CaptureFilePath(dir));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "w");
}

TEST_F(MiscFlow, CancellingDuringTheRecordingReleasesTheCapture) {
    const std::string helper = wizard::SweepHelperPath(dir);
    std::ofstream(helper) << "#!/bin/sh\nexit 0\n";
    ::chmod(helper.c_str(), 0755);
    auto form = Open(18);
    ASSERT_TRUE(NextTo(*form, 72));
    form->NextButtonClick();
    ASSERT_EQ(+glob->CaptureOn, 1);
    form->reject();
    EXPECT_EQ(+glob->CaptureOn, 0);
    EXPECT_EQ(+glob->CapWndOn, 0);
}

}  // namespace
}  // namespace tessaro
