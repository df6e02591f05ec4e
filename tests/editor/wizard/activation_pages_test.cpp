// The activation pages' own handlers on the real form: the scope's program lists, the
// popup menus, the nickname and the icon.
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <fstream>

#include "editor/wizard/t_quick_wiz.h"
#include "tests/editor/wizard/wizard_form_fixture.h"
#include "widgets/file_chooser.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

class ScriptedChooser : public FileChooser {
public:
    std::string answer;
    std::string Choose(QWidget*, const FileChoice&) override { return answer; }
};

class ActivationPagesForm : public testing::WizardFormTest {
protected:
    std::unique_ptr<TQuickWiz> OpenOn(int function, std::initializer_list<const char*> checked) {
        config->BypassWizardScreen = true;
        auto form = std::make_unique<TQuickWiz>(*ctx, Hosts(), function);
        form->show();
        for (const char* name : checked) form->Control<QRadioButton>(name)->setChecked(true);
        return form;
    }
    // Walks Next until `page` is on screen (the pages before it pass their checks).
    static void NextTo(TQuickWiz& form, int page) {
        for (int i = 0; i < 20 && form.CurrentPage() != page; ++i) form.NextButtonClick();
        ASSERT_EQ(form.CurrentPage(), page);
    }
    void StandMemo(TQuickWiz& form, int page, const char* name, const char* text) {
        auto* memo = new QPlainTextEdit(form.Panel(page));
        memo->setObjectName(name);
        memo->setPlainText(text);
    }
};

TEST_F(ActivationPagesForm, ProgramScopeListsInstalledAndRunningPrograms) {
    fs::create_directories(dir + "/xdg/applications");
    std::ofstream(dir + "/xdg/applications/shell.desktop")
        << "[Desktop Entry]\nType=Application\nName=Shell Window\nExec=sh -c true\n";
    places.path = {"/bin", "/usr/bin"};
    programs = std::make_unique<InstalledPrograms>(places);
    ctx = std::make_unique<wizard::WizardContext>(wizard::WizardContext{
        rec, *glob, *config, ctx->notify, dir, dir + "/macros.qtm", desktop, *programs});
    desktop.AddProcess(41, "gedit");
    desktop.AddProcess(42, "xterm");

    auto form = OpenOn(1, {"P7SpecProg"});
    StandMemo(*form, 14, "P14MyMemo", "x");
    NextTo(*form, 3);
    form->Control<QListWidget>("P3KeyList")->setCurrentRow(300);
    NextTo(*form, 8);
    auto* installed = form->Control<QListWidget>("P8InstallBox");
    ASSERT_EQ(installed->count(), 1);
    EXPECT_EQ(installed->item(0)->text(), "Shell Window\tsh");
    EXPECT_TRUE(installed->isEnabled());
    EXPECT_FALSE(form->Control<QLineEdit>("P8Path")->isEnabled());
    EXPECT_FALSE(form->Control<QLineEdit>("P8Title")->isVisibleTo(form.get()));
    form->NextButtonClick();
    EXPECT_EQ(LastText(), "A program has not been selected. Please select one.");

    form->Control<QRadioButton>("P8ProgPath")->setChecked(true);
    EXPECT_FALSE(installed->isEnabled());
    form->Control<QPushButton>("P8Browse")->click();
    auto* running = form->Control<QListWidget>("P8ProgBox");
    ASSERT_EQ(running->count(), 2);
    EXPECT_TRUE(form->findChild<QWidget*>("P8ProgPanel")->isVisibleTo(form.get()));
    form->Control<QPushButton>("P8Ok")->click();
    EXPECT_EQ(LastText(), "No program selected.");
    running->setCurrentRow(1);
    form->Control<QPushButton>("P8Ok")->click();
    EXPECT_EQ(form->Control<QLineEdit>("P8Path")->text(), "xterm");
    EXPECT_FALSE(form->findChild<QWidget*>("P8ProgPanel")->isVisibleTo(form.get()));
    form->NextButtonClick();
    EXPECT_EQ(form->CurrentPage(), 10);
}

TEST_F(ActivationPagesForm, PopupMenusAreOfferedByNicknameOnlyWhenYesIsChosen) {
    const int menu = AddMacro(4, 100);
    config->MacroNicknames[static_cast<size_t>(menu)] = "Letters";
    AddMacro(1, 101);
    auto form = OpenOn(3, {"P2None"});
    NextTo(*form, 9);
    auto* list = form->Control<QListWidget>("P9PopupList");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "Letters");
    EXPECT_EQ(list->item(0)->data(Qt::UserRole).toInt(), menu);
    EXPECT_FALSE(list->isEnabled());
    form->NextButtonClick();
    EXPECT_EQ(form->CurrentPage(), 10);
    form->BackButtonClick();
    form->Control<QRadioButton>("P9AddYes")->setChecked(true);
    EXPECT_TRUE(list->isEnabled());
    form->NextButtonClick();
    EXPECT_EQ(LastText(), "No popup macro has been selected. Please select one.");
    EXPECT_EQ(list->count(), 1);  // loaded once per run
}

TEST_F(ActivationPagesForm, AReminderIsNamedAfterItsTextAndTheIconPickerKeepsItsRules) {
    auto form = OpenOn(10, {"P2Timed"});
    StandMemo(*form, 26, "P26MyMemo", "Dentist at four tomorrow");
    NextTo(*form, 3);
    form->Control<QRadioButton>("Startup")->setChecked(true);
    NextTo(*form, 10);
    EXPECT_EQ(form->Control<QLineEdit>("P10Nick")->text(), "Dentist at");
    EXPECT_EQ(form->Snapshot().Text("P10MySpeed"), "");

    ScriptedChooser chooser;
    ScopedFileChooser scoped(chooser);
    auto* icon = form->Control<QPushButton>("P10MySpeed");
    chooser.answer = "";
    const size_t before = calls.size();
    icon->click();
    EXPECT_EQ(calls.size(), before);  // cancelled: nothing
    std::ofstream(dir + "/notes.txt") << "text";
    chooser.answer = dir + "/notes.txt";
    icon->click();
    EXPECT_EQ(LastText(), "Invalid file type selected.");
    std::ofstream(dir + "/broken.ico") << "not an icon";
    chooser.answer = dir + "/broken.ico";
    icon->click();
    EXPECT_EQ(LastText(), "Icon could not be opened.");
    EXPECT_EQ(form->Snapshot().Text("P10MySpeed"), "");
    EXPECT_FALSE(fs::exists(dir + "/Icons/BROKEN.ICO"));

    QImage bell(16, 16, QImage::Format_ARGB32);
    bell.fill(Qt::yellow);
    ASSERT_TRUE(bell.save(QString::fromStdString(dir + "/bell.ico"), "ICO"));
    fs::create_directories(dir + "/Icons");
    chooser.answer = dir + "/bell.ico";
    icon->click();
    EXPECT_EQ(form->Snapshot().Text("P10MySpeed"), "bell.ico");
    EXPECT_TRUE(fs::exists(dir + "/Icons/bell.ico"));
}

}  // namespace
}  // namespace tessaro
