// Every wizard function walked once through the real wizard to the macro file, the editor
// on the desktop beside the real player: the first-use set-up with the wizards it chains,
// then the others from the Quick Wizards tab. Each macro's text is compared with the text
// the function's answers call for, and all of them are printed side by side.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "editor/explorer/quick_wizard_table.h"
#include "editor/model/wizard/wizard_functions.h"
#include "foundation/ras.h"
#include "macro/capture_file.h"
#include "platform/paths.h"
#include "platform/messages.h"
#include "protocol/window_messages.h"
#include "widgets/page_control.h"
#include "tests/editor/wizard/wizard_seen.h"
#include "tests/editor/wizard/wizard_walk.h"
#include "tests/support/print_server.h"
#include "tests/e2e/shared_glob.h"
// Xlib's macros last.
#include "tests/e2e/wizard/wizard_desk.h"
#include "tests/e2e/editor_desk.h"
#include "tests/e2e/hot_key_press.h"

namespace tessaro::testing {
namespace {

// The walk of one function: its own answers by page, and the text they call for.
struct FunctionWalk {
    int function;
    std::map<int, std::function<void(TQuickWiz&)>> answers;
    std::function<std::string()> want;
    // Where the macro deliberately differs from the function's own text, that text and why.
    std::string printed{}, why{};
};

// A list row chosen by its text, by hand.
void ClickRowNamed(TQuickWiz& form, const char* list, const QString& text) {
    auto* box = Find<QListWidget>(form, list);
    ASSERT_NE(box, nullptr);
    const auto found = box->findItems(text, Qt::MatchStartsWith);
    ASSERT_FALSE(found.isEmpty()) << list << ": " << text.toStdString();
    HeldClickRow(box, box->row(found.front()));
}

// Control characters and bytes above 127 as \xNN, so a text prints on one line.
std::string Shown(const std::string& text) {
    std::ostringstream out;
    for (unsigned char c : text) {
        if (c < 0x20 || c >= 0x7f)
            out << "\\x" << std::hex << std::setw(2) << std::setfill('0') << int(c) << std::dec;
        else
            out << c;
    }
    return out.str();
}

class WizardWalk : public WizardDesk {
protected:
    const char* QtPlatform() const override { return "xcb"; }

    void SetUp() override {
        WizardDesk::SetUp();
        if (IsSkipped()) return;
        places_ = {box_->dir(),
                   box_->file("note.txt"),
                   box_->file("sky.bmp"),
                   box_->file("clip.avi"),
                   box_->file("bell.wav"),
                   box_->file("letter.txt"),
                   box_->file("bin/tool")};
        std::filesystem::create_directories(box_->file("bin"));
        for (const std::string& f :
             {places_.text, places_.bitmap, places_.video, places_.wave, places_.document, places_.program})
            std::ofstream(f) << "x";
        // The sweepstakes helper stands beside the program, notes what it was given and
        // stays as long as the note does.
        helperArgs_ = box_->file("helper.txt");
        WriteHelper("echo \"$@\" > " + helperArgs_ + "\nwhile [ -e " + helperArgs_ +
                    " ]; do sleep 0.1; done");
        ::setenv("FAKE_NM_CONNECTIONS", "Work Dial:gsm:alice", 1);
        ASSERT_TRUE(RasLoadLibrary(std::string(TESSARO_TEST_BIN_DIR) + "/libfake_nm.so"));
    }
    void TearDown() override {
        if (box_) std::filesystem::remove(helperArgs_);
        WizardDesk::TearDown();
        RasFreeLibrary();
        ::unsetenv("FAKE_NM_CONNECTIONS");
    }

    void WriteHelper(const std::string& body) {
        const std::string helper = box_->file("veldra");
        std::ofstream(helper) << "#!/bin/sh\n" << body << "\n";
        std::filesystem::permissions(helper, std::filesystem::perms::owner_all);
    }

    // Walks each wizard the explorer opens, in the order given, as soon as it is up.
    void DriveWizards(std::deque<const FunctionWalk*> walks) {
        queue_ = std::move(walks);
        if (poll_.isActive()) return;
        poll_.setInterval(20);
        QObject::connect(&poll_, &QTimer::timeout, [this] { DriveShownWizard(); });
        poll_.start();
    }
    void DriveShownWizard() {
        auto* wiz = qobject_cast<TQuickWiz*>(QApplication::activeModalWidget());
        if (busy_ || !wiz || wiz->property("walked").toBool() || !wiz->isVisible()) return;
        wiz->setProperty("walked", true);
        busy_ = true;
        // A hand clicks once the window is up on the desktop and has the focus.
        EXPECT_TRUE(QTest::qWaitForWindowActive(wiz)) << "function " << wiz->WizardFunction();
        if (queue_.empty()) {
            ADD_FAILURE() << "an unexpected wizard, function " << wiz->WizardFunction();
        } else {
            const FunctionWalk* walk = queue_.front();
            queue_.pop_front();
            EXPECT_EQ(wiz->WizardFunction(), walk->function);
            Walk hand{
                [walk](TQuickWiz& form, int page) {
                    if (auto it = walk->answers.find(page); it != walk->answers.end()) it->second(form);
                },
                [this](TQuickWiz& form, int page) {
                    QApplication::processEvents();
                    // Framed by the window manager from its first page on: the whole of it
                    // inside the screen, centred.
                    if (form.CurrentIndex() > 1) {
                        const QRect frame = form.frameGeometry(), screen = form.screen()->geometry();
                        if (!screen.contains(frame) ||
                            std::abs(frame.center().x() - screen.center().x()) > 1 ||
                            std::abs(frame.center().y() - screen.center().y()) > 1)
                            faults_.push_back("function " + std::to_string(form.WizardFunction()) +
                                              ", page " + std::to_string(page) + ": the frame lies at " +
                                              std::to_string(frame.x()) + "," + std::to_string(frame.y()) +
                                              " " + std::to_string(frame.width()) + "x" +
                                              std::to_string(frame.height()));
                    }
                    for (const std::string& fault : PageFaults(form, page))
                        faults_.push_back("function " + std::to_string(form.WizardFunction()) + ": " + fault);
                }};
            if (!WalkToFinish(*wiz, places_, hand))
                ADD_FAILURE() << "function " << walk->function << " stopped on page " << wiz->CurrentPage()
                              << Boxes();
        }
        if (wiz->isVisible()) wiz->reject();
        busy_ = false;
    }

    // The Quick Wizards tab and the function's button on it, each clicked by hand.
    void FromTheTab(int function) {
        auto* tabs = editor_->Pages();
        const int tab = [&] {
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->tabText(i) == "&Quick Wizards") return i;
            return -1;
        }();
        ASSERT_GE(tab, 0);
        HeldClick(tabs->tabBar(), tabs->tabBar()->tabRect(tab).center());
        const char* name = nullptr;
        for (const QuickWizardButton& b : QuickWizardButtons())
            if (b.function == function) name = b.name;
        ASSERT_NE(name, nullptr) << function;
        auto* button = editor_->findChild<QToolButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isVisible()) << name;
        HeldClick(button);
    }

    // The macro record `n` of the file (1-based), if there is one.
    std::optional<TMacroRecord> Record(int n) {
        TMacroRecord rec{};
        if (n > CountMacroRecords(file_) || !ReadMacroRecordAt(file_, n, rec).ok()) return std::nullopt;
        return rec;
    }

    // The number of the macro of that nickname in the file, 0 when there is none.
    int MacroNumber(const std::string& nickname) {
        for (int n = 1; n <= CountMacroRecords(file_); ++n)
            if (auto rec = Record(n); rec && rec->Nickname.str() == nickname) return n;
        return 0;
    }

    WalkPlaces places_;
    std::string helperArgs_;
    std::deque<const FunctionWalk*> queue_;
    QTimer poll_;
    bool busy_ = false;
    std::vector<std::string> faults_;
};

// The recording of the sweepstakes function: typed into a window of the desktop while the
// wizard waits minimised, ended by the message its helper was told to send, as `messages`
// carries it.
void RecordSweepstakes(TQuickWiz& form, win::Messages& messages, Display* keyboard,
                       const std::string& helperArgs, KeyTarget& target, const std::string& typed) {
    std::string args;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            std::ifstream in(helperArgs);
            return std::getline(in, args) && args.rfind("QJX ", 0) == 0;
        },
        10000))
        << "the helper was not started";
    ASSERT_TRUE(target.Focus());
    TypeAscii(keyboard, typed, std::chrono::milliseconds(60));
    // The player reports each recorded key to the wizard, which writes it to the capture
    // file; the helper's message comes after the last of them.
    const std::string capture = CaptureFilePath(win::ProgramDirectory());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            std::ifstream in(capture, std::ios::binary);
            const std::string got{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            return got.find(typed) != std::string::npos;
        },
        10000))
        << "the recording lacks \"" << typed << "\"; the window got \"" << target.Typed() << "\"";
    const auto window = static_cast<win::HWND>(std::stoull(args.substr(4)));
    messages.PostMessage(window, WM_CAPTURE_DONE, 0, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.isVisible() && !form.isMinimized(); }, 10000))
        << "the wizard did not come back";
    std::filesystem::remove(helperArgs);  // the helper may go
}

// First the user brings the wizard back while the helper still runs, as a task list would;
// then a helper ends at once. Either ends the recording, for the player too.
TEST_F(WizardWalk, SweepstakesRecordingEndsWithItsHelperOrWhenTheUserBringsTheWizardBack) {
    ASSERT_NO_FATAL_FAILURE(Start());
    for (const bool helperStays : {true, false}) {
        if (!helperStays) WriteHelper("exit 0");
        RunWizard(18, [&](TQuickWiz& wiz) {
            ASSERT_TRUE(NextTo(wiz, 72));
            wiz.NextButtonClick();
            ASSERT_EQ(wiz.CurrentPage(), 2);
            if (helperStays) {
                ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(helperArgs_); }, 10000));
                ASSERT_TRUE(wiz.isMinimized());
                Activate(keyboard_, static_cast<Window>(wiz.winId()));
            }
            EXPECT_TRUE(QTest::qWaitFor(
                [&] {
                    return wiz.isVisible() && !wiz.isMinimized() && wiz.isActiveWindow() &&
                           glob_.CaptureOn == 0 && glob_.CapWndOn == 0 && SharedGlob().CaptureOn == 0;
                },
                10000))
                << (helperStays ? "the wizard came back recording" : "the recording outlived its helper");
            wiz.reject();
        });
    }
}

TEST_F(WizardWalk, EveryFunctionWritesItsMacroTextToTheFile) {
    AddMacro("Opening", "a1 ");
    PrintServer printers(box_->file("cups"), {"Office", "Lab"});
    ASSERT_TRUE(printers.ready()) << "no print server could be started here";
    ASSERT_NO_FATAL_FAILURE(Start());
    KeyTarget target(xvfb_->Open(), "Capture Target");
    ASSERT_TRUE(target.ok());
    const WalkPlaces& p = places_;
    std::string drive;  // the local drive page 6 offers first
    int openingNumber = 0;

    const std::vector<FunctionWalk> firstUse = {
        {28,
         {{69,
           [](TQuickWiz& f) {
               for (const char* box : {"P69Name", "P69Date", "P69Dial", "P69SendEMail", "P69Net", "P69Logoff",
                                       "P69CD", "P69Mute", "P69Print"})
                   Click(f, box);
           }}},
         [] { return std::string(); }},
        {1,
         {{14,
           [](TQuickWiz& f) {
               TypeInto(f, "P14MyMemo", "Walker Smith");
               Click(f, "P14Keystrokes");
               ClickRowNamed(f, "P14KeyList", "Tab");
               Click(f, "P14Ok");
           }}},
         [] { return std::string("Walker Smith<TAB>"); }},
        {6,
         {{20,
           [](TQuickWiz& f) {
               Click(f, "P20Past");
               TypeInto(f, "P20Days", "5");
           }}},
         // The first formats of their lists.
         [] { return std::string("<MM/DD/YY{NP005}> <hh:mm{N}>"); }},
        {12,
         {{28,
           [](TQuickWiz& f) {
               Click(f, "P28Retrieve");
               TypeInto(f, "P28Password", "pw");
           }}},
         // "pw" stored substituted: 112 + 25, 119 + 25.
         [] { return std::string("<DIAL:<NAME:alice><PASS:\x89\x90>Work Dial>"); }},
        {29,
         {{76,
           [](TQuickWiz& f) {
               TypeInto(f, "P76Person", "Bob");
               TypeInto(f, "P76Address", "bob@example.com");
           }},
          {83, [](TQuickWiz& f) { TypeInto(f, "P83Memo", "Hi"); }}},
         [] {
             return std::string(
                 "<EMAIL:RNR1TOBob|bob@example.com;\x01S1Hi\x01No Subject\x01"
                 "A1>");
         }},
        {8,
         {{6, [&drive](
                  TQuickWiz& f) { drive = Find<QComboBox>(f, "P6DriveBox")->currentText().toStdString(); }}},
         [&drive] { return "<NWTPS:<NAME:><PASS:>" + drive + "//server/share>"; }},
        {9, {}, [] { return std::string("<LOGOFF>"); }},
        {15,
         {{42,
           [](TQuickWiz& f) {
               Click(f, "P42GoTo");
               TypeInto(f, "P42Track", "3");
           }}},
         [] { return std::string("<CDGOTO:03>"); }},
        {17, {{43, [](TQuickWiz& f) { Click(f, "P43Audio"); }}}, [] { return std::string("<AUDMUTE>"); }},
        {14,
         {{15, [](TQuickWiz& f) { ClickRowNamed(f, "P15SettingBox", "Office"); }}},
         [] { return std::string("<DEFPRT:Office>"); }},
    };

    const std::vector<FunctionWalk> fromTab = {
        {2,
         {{12, [](TQuickWiz& f) { TypeInto(f, "P12MyMemo", "pasted"); }}},
         [] { return std::string("<BEGCLIP>pasted<ENDCLIP><CLIPP>"); }},
        {3,
         {{4,
           [](TQuickWiz& f) {
               auto* grid = Find<QTableWidget>(f, "P4SymbolGrid");
               HeldClick(grid->viewport(), grid->visualRect(grid->model()->index(3, 2)).center());
           }}},
         [] { return std::string(1, static_cast<char>(128 + 8 * 2 + 3)); }},
        {4,
         {{30, [](TQuickWiz& f) { Click(f, "P30LaunchAct"); }},
          {31,
           [&p](TQuickWiz& f) {
               Click(f, "P31Yes");
               TypeInto(f, "P31Path", QString::fromStdString(p.folder));
           }},
          {33, [](TQuickWiz& f) { TypeInto(f, "P33Title", "Tool"); }}},
         [&p] { return "<CHDIR:" + p.folder + "><LAUNCHNO:01Tool<LAUNCH:" + p.program + ">"; }},
        {5,
         {{21, [](TQuickWiz& f) { Click(f, "P21FTP"); }},
          {22, [](TQuickWiz& f) { TypeInto(f, "P22URL", "ftp.example.com/file.zip"); }}},
         [] { return std::string("<FTP:ftp.example.com/file.zip>"); }},
        {7,
         {{60, [](TQuickWiz& f) { Click(f, "P60No"); }},
          {61, [](TQuickWiz& f) { Click(f, "P61Fast"); }},
          {62, [](TQuickWiz& f) { ClickRowNamed(f, "P62ProgList", "Capture Target"); }}},
         [] { return std::string("abc"); }},
        {10,
         {{26, [](TQuickWiz& f) { TypeInto(f, "P26MyMemo", "Water the plants"); }},
          {3,
           [](TQuickWiz& f) {
               Click(f, "Other");
               TypeInto(f, "OtherMinutes", "720");
           }}},
         [] { return std::string("<BEEP><TBOX:<HEAD:Reminder>Water the plants>"); }},
        {11,
         {{48, [](TQuickWiz& f) { Click(f, "P48CopyFile"); }},
          {49,
           [&p](TQuickWiz& f) {
               TypeInto(f, "P49Path", QString::fromStdString(p.text));
               TypeInto(f, "P49NewName", QString::fromStdString(p.folder + "/copy.txt"));
           }}},
         [&p] { return "<COPYFILE:" + p.text + ";" + p.folder + "/copy.txt>"; }},
        {13, {}, [] { return std::string("<SCREEN:000>"); }},
        {16, {{24, [](TQuickWiz& f) { Click(f, "P24Exit"); }}}, [&p] { return "<AVIE:" + p.video + ">"; }},
        {18,
         {{2,
           [&](TQuickWiz& f) {
               RecordSweepstakes(f, box_->platform().messages(), keyboard_, helperArgs_, target, "win");
           }}},
         [] { return std::string("<SPKEY:0050>win<SPACE>"); }},
        {19,
         {{23,
           [](TQuickWiz& f) {
               Click(f, "P23Positioned");
               TypeInto(f, "P23Left", "5");
               TypeInto(f, "P23Top", "40");
           }}},
         [&p] { return "<WALLP:0005,0040" + p.bitmap + ">"; },
         "<WALLP:005,040" + p.bitmap + ">",
         "the player and the parser read four digits each; three would shift the file name"},
        {20,
         {{35, [](TQuickWiz& f) { Click(f, "P35RepChoice"); }},
          {36,
           [](TQuickWiz& f) {
               TypeInto(f, "P36Width", "20");   // labelled "Top"
               TypeInto(f, "P36Height", "10");  // labelled "Left"
           }}},
         [] { return std::string("<WPOS:0010,0020Target>"); }},
        {21,
         {{38, [](TQuickWiz& f) { Click(f, "P38Min"); }}, {39, [](TQuickWiz& f) { Click(f, "P39Choice"); }}},
         [] { return std::string("<WMIN:Target>"); }},
        {22, {}, [&p] { return "<EXPLORE:" + p.folder + ">"; }},
        {23,
         {{47, [](TQuickWiz& f) { Click(f, "P47Horizontal"); }}},
         [] { return std::string("<TILHDESK>"); }},
        {24,
         {{41,
           [](TQuickWiz& f) {
               Click(f, "P41Idle");
               TypeInto(f, "P41Minutes", "5");
           }}},
         [] { return std::string("<SSTIME:05>"); }},
        {25,
         {{50, [](TQuickWiz& f) { ClickRowNamed(f, "P50Macros", "Opening"); }},
          {51,
           [](TQuickWiz& f) {
               Click(f, "P51Icons");
               Find<QComboBox>(f, "P51IconSize")->setCurrentIndex(3);
           }}},
         [&openingNumber] {
             return std::string("\x01\x00", 2) + static_cast<char>(openingNumber & 0xff) +
                    static_cast<char>(openingNumber >> 8);
         }},
        {26,
         {{64,
           [](TQuickWiz& f) {
               ClickRowNamed(f, "P64AvailBox", "Opening");
               Click(f, "P64AddButton");
               Click(f, "P64AddButton");
           }}},
         [] { return std::string("<MACRUN:Opening><MACRUN:Opening>"); }},
        {27,
         {{58,
           [](TQuickWiz& f) {
               // The explorer's text dialog opens modally: answered as the user would.
               std::function<void()> answer;
               answer = [&] {
                   auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                   if (dlg == nullptr || dlg == &f) return QTimer::singleShot(10, answer);
                   EXPECT_TRUE(QTest::qWaitForWindowActive(dlg));
                   if (auto* text = dlg->findChild<QPlainTextEdit*>("NewFormat")) {
                       text->setFocus();
                       QTest::keyClicks(text, "one command");
                   }
                   if (auto* ok = dlg->findChild<QPushButton*>("UpdateButton")) HeldClick(ok);
                   if (dlg->isVisible()) dlg->reject();
               };
               QTimer::singleShot(0, answer);
               Click(f, "P58Choose");
           }}},
         [] { return std::string("one command"); }},
    };

    struct Row {
        int function;
        const char* how;
        std::string written, want, printed, why;
    };
    std::vector<Row> rows;
    const auto record = [&](const FunctionWalk& w, const char* how, const std::optional<TMacroRecord>& rec) {
        std::string text;
        if (rec) text = w.function == 25 ? std::string(rec->MacroText, 4) : GetMacroText(*rec);
        rows.push_back({w.function, how, text, w.want(), w.printed.empty() ? w.want() : w.printed, w.why});
    };

    int count = CountMacroRecords(file_);
    std::deque<const FunctionWalk*> chain;
    for (const FunctionWalk& w : firstUse) chain.push_back(&w);
    DriveWizards(chain);
    editor_->DoFirstTime();
    EXPECT_TRUE(queue_.empty()) << queue_.size() << " wizards of the first use did not come up" << Boxes();
    for (const FunctionWalk& w : firstUse) {
        if (w.function == 28) {
            rows.push_back({28, "first use", "", "", "", "settings and follow-ups, no macro"});
            continue;
        }
        record(w, "first use", Record(++count));
    }

    openingNumber = MacroNumber("Opening");
    for (const FunctionWalk& w : fromTab) {
        SCOPED_TRACE("function " + std::to_string(w.function));
        DriveWizards({&w});
        FromTheTab(w.function);
        EXPECT_TRUE(queue_.empty()) << "function " << w.function << " did not come up" << Boxes();
        if (w.function == 7) {
            // The capture runs once the shared record says so (the player's hook records
            // what the server stamped after its start): typed into its window, ended by the
            // stop key.
            ASSERT_TRUE(QTest::qWaitFor([] { return SharedGlob().CaptureOn == 1; }, 10000))
                << "the capture did not start";
            ASSERT_TRUE(target.Focus());
            const std::size_t before = target.Typed().size();
            TypeAscii(keyboard_, "abc", std::chrono::milliseconds(60));
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return target.Typed().find("abc", before) != std::string::npos; }, 10000))
                << target.Typed();
            int stopKey = -1;
            for (int n = 1; n <= glob_.MacroCount; ++n)
                if (glob_.Scope[n] == 5 && glob_.ScopeText[n].str().rfind("2", 0) == 0)
                    stopKey = glob_.ActivationCode[n];
            ASSERT_GE(stopKey, 0) << "no Start / Stop Capture macro";
            PressHotKey(keyboard_, stopKey);
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return Record(count + 1) && !GetMacroText(*Record(count + 1)).empty(); }, 10000))
                << "the capture stored no text";
        }
        record(w, "Quick Wizards tab", Record(++count));
    }
    poll_.stop();

    std::cout << "\n| No. | Function | Walked | Written to the macro file | The function's text |\n"
              << "|---|---|---|---|---|\n";
    for (const Row& r : rows) {
        const wizard::FunctionInfo* info = wizard::Function(r.function);
        std::cout << "| " << r.function << " | " << (info ? info->title : "") << " | " << r.how << " | `"
                  << Shown(r.written) << "` | `" << Shown(r.printed) << "`" << (r.why.empty() ? "" : " (")
                  << r.why << (r.why.empty() ? "" : ")") << " |\n";
        if (r.function != 28) {
            EXPECT_EQ(Shown(r.written), Shown(r.want)) << "function " << r.function;
        }
    }
    EXPECT_EQ(faults_, std::vector<std::string>{});
}

}  // namespace
}  // namespace tessaro::testing
