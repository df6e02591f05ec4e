// Macros built by driving the quick wizard, appended by the explorer and played by the real
// player into a target window on a private X server.
#include <QDate>
#include <QDialog>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "protocol/hotkey_names.h"
#include "tests/e2e/wizard/wizard_desk.h"
#include "tests/support/unpacked.h"

namespace tessaro::testing {
namespace {

constexpr int kCtrlAltK = 154;

// The activation tail: hot key Ctrl+Alt+K in all programs, no popup menu, the nickname.
void HotKeyTail(TQuickWiz& wiz, const char* nickname) {
    ASSERT_TRUE(NextTo(wiz, 3));
    Row(wiz, "P3KeyList", kCtrlAltK);
    ASSERT_TRUE(NextTo(wiz, 10));
    Type(wiz, "P10Nick", nickname);
    wiz.NextButtonClick();  // Finish
}

// Sets a variable for as long as it lives.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// The size of the window with the frame its manager put around it.
std::pair<int, int> FrameSize(Display* d, Window w) {
    XWindowAttributes a{};
    XGetWindowAttributes(d, w, &a);
    long extents[4] = {0, 0, 0, 0};  // left, right, top, bottom
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_FRAME_EXTENTS", False), 0, 4, False, XA_CARDINAL, &type,
                           &format, &count, &after, &data) == Success &&
        data) {
        for (unsigned long i = 0; i < count && i < 4; ++i) extents[i] = reinterpret_cast<long*>(data)[i];
        XFree(data);
    }
    return {a.width + int(extents[0] + extents[1]), a.height + int(extents[2] + extents[3])};
}

TEST_F(WizardDesk, TypedTextMacroIsAppendedAndTypedByItsHotKey) {
    ASSERT_NO_FATAL_FAILURE(Start());
    RunWizard(1, [](TQuickWiz& wiz) {
        ASSERT_TRUE(NextTo(wiz, 14));
        Type(wiz, "P14MyMemo", "typed by the wizard");
        HotKeyTail(wiz, "Wizard typing");
    });
    const std::optional<TMacroRecord> rec = Appended();
    ASSERT_TRUE(rec) << Boxes();
    EXPECT_EQ(rec->Nickname.str(), "Wizard typing");
    EXPECT_EQ(Unpacked(rec->ActivationCode), kCtrlAltK);

    KeyTarget target(xvfb_->Open(), "Wizard Target");
    ASSERT_TRUE(PressHotKeyIn(target)) << player_->Log();
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed() == "typed by the wizard"; }, 10s))
        << target.Typed() << player_->Log();
}

TEST_F(WizardDesk, CombinedMacroRunsItsMacrosInTheChosenOrder) {
    AddMacro("Opening", "a1 ");
    AddMacro("Closing", "b2 ");
    ASSERT_NO_FATAL_FAILURE(Start());

    RunWizard(26, [](TQuickWiz& wiz) {
        ASSERT_TRUE(NextTo(wiz, 64));
        RowNamed(wiz, "P64AvailBox", "Closing");
        Named<QPushButton>(wiz, "P64AddButton")->click();
        RowNamed(wiz, "P64AvailBox", "Opening");  // after it and before it
        Named<QPushButton>(wiz, "P64AddButton")->click();
        Named<QPushButton>(wiz, "P64InsertBefore")->click();
        HotKeyTail(wiz, "Combined");
    });
    ASSERT_TRUE(Appended()) << Boxes();

    KeyTarget target(xvfb_->Open(), "Combined Target");
    ASSERT_TRUE(PressHotKeyIn(target)) << player_->Log();
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed() == "b2 a1 a1 "; }, 10s))
        << target.Typed() << player_->Log();
}

TEST_F(WizardDesk, WindowSizeMacroResizesTheWindowOfItsTitle) {
    ASSERT_NO_FATAL_FAILURE(Start());
    RunWizard(20, [](TQuickWiz& wiz) {
        ASSERT_TRUE(NextTo(wiz, 35));
        Check(wiz, "P35SizeChoice");
        ASSERT_TRUE(NextTo(wiz, 33));
        Type(wiz, "P33Title", "Resize Target");
        ASSERT_TRUE(NextTo(wiz, 36));
        Type(wiz, "P36Width", "0300");
        Type(wiz, "P36Height", "0150");
        HotKeyTail(wiz, "Resizer");
    });
    ASSERT_TRUE(Appended()) << Boxes();
    KeyTarget target(xvfb_->Open(), "Resize Target");
    ASSERT_TRUE(PressHotKeyIn(target)) << player_->Log();
    Display* d = xvfb_->Open();
    EXPECT_TRUE(WaitFor(
        [&] {
            return FrameSize(d, target.window()) == std::pair{300, 150};
        },
        10s))
        << FrameSize(d, target.window()).first << "x" << FrameSize(d, target.window()).second
        << player_->Log();
    XCloseDisplay(d);
}

TEST_F(WizardDesk, PastedTextGoesThroughTheClipboardIntoTheWindow) {
    ASSERT_NO_FATAL_FAILURE(Start());
    RunWizard(2, [](TQuickWiz& wiz) {
        ASSERT_TRUE(NextTo(wiz, 13));
        Check(wiz, "P13Text");
        ASSERT_TRUE(NextTo(wiz, 12));
        Type(wiz, "P12MyMemo", "pasted by the wizard");
        HotKeyTail(wiz, "Paster");
    });
    ASSERT_TRUE(Appended()) << Boxes();
    KeyTarget target(xvfb_->Open(), "Paste Target");
    ASSERT_TRUE(PressHotKeyIn(target)) << player_->Log();
    // The paste reaches the window as Ctrl+V; the text waits on the clipboard.
    EXPECT_TRUE(target.WaitUntil([&] { return target.Pressed("v") || target.Pressed("V"); }, 10s))
        << player_->Log();
    EXPECT_EQ(ClipboardText(keyboard_), "pasted by the wizard");
}

TEST_F(WizardDesk, SymbolMacroTypesTheChosenCharacter) {
    ASSERT_NO_FATAL_FAILURE(Start());
    RunWizard(3, [](TQuickWiz& wiz) {
        ASSERT_TRUE(NextTo(wiz, 4));  // the grid starts on its preset symbol
        HotKeyTail(wiz, "Symbol");
    });
    ASSERT_TRUE(Appended()) << Boxes();
    KeyTarget target(xvfb_->Open(), "Symbol Target");
    ASSERT_TRUE(PressHotKeyIn(target)) << player_->Log();
    // The preset cell is column 9, row 3: character 128 + 8 * 9 + 3, the E with diaeresis.
    EXPECT_TRUE(target.WaitUntil([&] { return target.Pressed("Ediaeresis"); }, 10s))
        << target.Typed() << player_->Log();
}

TEST_F(WizardDesk, DateMacroTypesTodaysDate) {
    ASSERT_NO_FATAL_FAILURE(Start());
    RunWizard(6, [](TQuickWiz& wiz) {
        ASSERT_TRUE(NextTo(wiz, 17));
        Check(wiz, "P17Date");
        ASSERT_TRUE(NextTo(wiz, 18));
        Row(wiz, "P18Format", 0);
        ASSERT_TRUE(NextTo(wiz, 20));
        Check(wiz, "P20Today");
        HotKeyTail(wiz, "Today");
    });
    ASSERT_TRUE(Appended()) << Boxes();
    KeyTarget target(xvfb_->Open(), "Date Target");
    ASSERT_TRUE(PressHotKeyIn(target)) << player_->Log();
    const QDate today = QDate::currentDate();
    EXPECT_TRUE(target.WaitUntil(
        [&] {
            const QString typed = QString::fromStdString(target.Typed());
            return typed.contains(QString::number(today.day())) &&
                   typed.contains(QString::number(today.month()));
        },
        10s))
        << target.Typed() << player_->Log();
}

TEST_F(WizardDesk, ReminderPlayedByItsNicknameShowsItsText) {
    ASSERT_NO_FATAL_FAILURE(Start());
    RunWizard(10, [](TQuickWiz& wiz) {
        ASSERT_TRUE(NextTo(wiz, 26));
        Type(wiz, "P26MyMemo", "Water the plants");
        Check(wiz, "P26NoSound");
        ASSERT_TRUE(NextTo(wiz, 3));
        Check(wiz, "Other");  // every 720 minutes: it will not come by itself during the test
        Type(wiz, "OtherMinutes", "720");
        ASSERT_TRUE(NextTo(wiz, 10));
        Type(wiz, "P10Nick", "Plants");
        wiz.NextButtonClick();
    });
    const std::optional<TMacroRecord> rec = Appended();
    ASSERT_TRUE(rec) << Boxes();
    EXPECT_EQ(Unpacked(rec->ActivationCode), acScheduled);

    PlayerProcess second(*box_, {"/F" + file_, "/APlants"}, "second.log");
    EXPECT_EQ(second.WaitExit(10s), 0) << second.Log();
    Window box = 0;
    EXPECT_TRUE(WaitFor([&] { return (box = FindTitled(keyboard_, "Reminder")) != 0; }, 10s))
        << player_->Log();
}

TEST_F(WizardDesk, MaximizeMacroMaximizesTheWindowOfItsTitle) {
    ASSERT_NO_FATAL_FAILURE(Start());
    RunWizard(21, [](TQuickWiz& wiz) {
        ASSERT_TRUE(NextTo(wiz, 38));
        Check(wiz, "P38Max");
        ASSERT_TRUE(NextTo(wiz, 39));
        Check(wiz, "P39Choice");
        ASSERT_TRUE(NextTo(wiz, 40));
        Type(wiz, "P40Title", "Max Target");
        HotKeyTail(wiz, "Maximizer");
    });
    ASSERT_TRUE(Appended()) << Boxes();
    KeyTarget target(xvfb_->Open(), "Max Target");
    ASSERT_TRUE(PressHotKeyIn(target)) << player_->Log();
    Display* d = xvfb_->Open();
    EXPECT_TRUE(WaitFor(
        [&] {
            const auto states = WindowStates(d, target.window());
            return std::find(states.begin(), states.end(), "_NET_WM_STATE_MAXIMIZED_VERT") != states.end();
        },
        10s))
        << player_->Log();
    XCloseDisplay(d);
}

TEST_F(WizardDesk, SweepstakesPageOpensInTheBrowserAndARecordingWithoutItsHelperIsRefused) {
    ASSERT_NO_FATAL_FAILURE(Start());
    // The real xdg-open, sent by a private mimeapps.list to a handler that writes down what
    // it was given.
    const std::string opened = box_->file("opened.txt");
    const std::string handler = box_->file("record.sh");
    std::ofstream(handler) << "#!/bin/sh\necho \"$@\" >> " << opened << "\n";
    std::filesystem::permissions(handler, std::filesystem::perms::owner_all);
    std::filesystem::create_directories(box_->file("xdg/applications"));
    std::ofstream(box_->file("xdg/applications/tessaro-recorder.desktop"))
        << "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" << handler << " %u\n"
        << "MimeType=x-scheme-handler/http;\n";
    std::ofstream(box_->file("mimeapps.list"))
        << "[Default Applications]\nx-scheme-handler/http=tessaro-recorder.desktop\n";
    ScopedEnv config("XDG_CONFIG_HOME", box_->dir()), data("XDG_DATA_HOME", box_->file("xdg"));

    RunWizard(18, [&](TQuickWiz& wiz) {
        ASSERT_TRUE(NextTo(wiz, 71));
        Type(wiz, "P71URL", "prizes.example.org/enter");
        Named<QPushButton>(wiz, "P71Launch")->click();
        EXPECT_TRUE(WaitFor(
            [&] {
                std::ifstream in(opened);
                std::string line;
                return std::getline(in, line) && line == "http://prizes.example.org/enter";
            },
            10s));
        ASSERT_TRUE(NextTo(wiz, 72));
        wiz.NextButtonClick();
        EXPECT_EQ(wiz.CurrentPage(), 72);
        EXPECT_NE(Boxes().find("/veldra\" could not be found"), std::string::npos) << Boxes();
        wiz.reject();
    });
    EXPECT_FALSE(Appended());
}

TEST_F(WizardDesk, SingleCommandMacroTakesItsTextFromTheRealCommandDialog) {
    ASSERT_NO_FATAL_FAILURE(Start());
    bool dialogSeen = false;
    RunWizard(27, [&](TQuickWiz& wiz) {
        ASSERT_TRUE(NextTo(wiz, 53));
        Check(wiz, "P53Text");
        ASSERT_TRUE(NextTo(wiz, 54));
        Check(wiz, "P54Text");
        ASSERT_TRUE(NextTo(wiz, 58));
        // The explorer's text dialog opens modally: answer it as the user would.
        std::function<void()> answer;
        answer = [&] {
            auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dlg == nullptr || dlg == &wiz) return QTimer::singleShot(10, answer);
            dialogSeen = true;
            if (auto* text = dlg->findChild<QPlainTextEdit*>("NewFormat")) text->setPlainText("one command");
            auto* ok = dlg->findChild<QPushButton*>("UpdateButton");
            EXPECT_NE(ok, nullptr) << "the text dialog has no Update button";
            if (ok != nullptr) ok->click();
            if (dlg->isVisible()) dlg->reject();
        };
        QTimer::singleShot(0, answer);
        Named<QPushButton>(wiz, "P58Choose")->click();
        EXPECT_EQ(Named<QLineEdit>(wiz, "P58Command")->text(), "one command");
        HotKeyTail(wiz, "Single command");
    });
    EXPECT_TRUE(dialogSeen);
    const std::optional<TMacroRecord> rec = Appended();
    ASSERT_TRUE(rec) << Boxes();
    EXPECT_EQ(GetMacroText(*rec), "one command");

    KeyTarget target(xvfb_->Open(), "Single Command Target");
    ASSERT_TRUE(PressHotKeyIn(target)) << player_->Log();
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed() == "one command"; }, 10s))
        << target.Typed() << player_->Log();
}

}  // namespace
}  // namespace tessaro::testing
