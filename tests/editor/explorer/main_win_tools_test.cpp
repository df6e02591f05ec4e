// The main window's tool commands offscreen: a macro row dropped on a category, the system
// hot keys dialog opened for a system macro, the scheduler's alarm and interval, the browser
// repair and the help contents.
#include "editor/explorer/main_win.h"
#include "tests/editor/explorer/forms/main_win_fixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include "editor/commands/delay_dialogs.h"
#include "editor/commands/small_dialogs.h"
#include "editor/explorer/category_file.h"
#include "editor/explorer/tools/macro_row_drag.h"
#include "editor/explorer/tools/small_dialogs.h"
#include "editor/explorer/tools/system_keys_dialog.h"
#include "editor/model/tools/text_import.h"
#include "foundation/settings.h"
#include "widgets/program_icons.h"
#include "foundation/sync_record.h"
#include "hook/master_block.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "protocol/window_messages.h"
#include "tests/support/modal_window.h"
#include "tests/support/qt_app.h"
#include "tests/support/scripted_boxes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wav_file.h"
#include "widgets/file_chooser.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using testing::WhenModal;
using Notices = testing::PlayerNotices;

class MainWinTools : public testing::MainWinWithPlayer {
protected:
    void SetUp() override {
        hook::DetachMaster();
        SetUpFolder("mt");
        if (HasFatalFailure()) return;
        config_.ShowCategory = true;
        boxes_ = testing::ScriptedBoxes(calls_, answers_);
    }
    void TearDown() override {
        boxes_.reset();
        hook::DetachMaster();
        sandbox_.reset();
    }
    std::unique_ptr<TMainWin> Open() {
        auto w = std::make_unique<TMainWin>(
            platform, config_, glob_, std::vector<std::string>{"/RH" + std::to_string(player_->hwnd())});
        w->show();
        QApplication::processEvents();
        return w;
    }
    int AddMacro(const char* nickname, int code) { return testing::AppendHotKeyMacro(file_, nickname, code); }
    TMacroRecord Stored(int n) {
        TMacroRecord r{};
        EXPECT_TRUE(ReadMacroRecordAt(file_, n, r).ok());
        return r;
    }
    Notices Received() {
        QApplication::processEvents();
        QApplication::processEvents();
        return std::exchange(notices_, {});
    }
    // Drags `mime` over the category list's row `row` and drops it there; whether the
    // list took the drag.
    static bool DropOn(TMainWin& w, int row, QMimeData* mime) {
        QListWidget* list = w.CategoryList();
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QDragEnterEvent enter(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &enter);
        const bool taken = enter.isAccepted();
        if (taken) {
            QDropEvent drop(at, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &drop);
        }
        delete mime;
        return taken;
    }
    static int RowOfCategory(TMainWin& w, int id) {
        for (int i = 0; i < w.CategoryList()->count(); ++i)
            if (w.CategoryList()->item(i)->data(Qt::UserRole).toInt() == id) return i;
        return -1;
    }

    std::unique_ptr<win::ScopedMessageBoxHandler> boxes_;
    std::vector<win::MessageBoxCall> calls_;
    std::vector<win::MbResult> answers_;
};

TEST_F(MainWinTools, ARowDroppedOnACategoryFilesTheMacroAndAllCategoriesTakesItOut) {
    const int n = AddMacro("one", 40);
    ASSERT_TRUE(SaveCategoryFile(dir_ + "/work.QTC", {{"Mail", 3}, {"Games", 7}}));
    // A real sound, still loading when the window closes: the program must not crash at exit.
    testing::WriteToneWav(dir_ + "/FLOOP.WAV", 200);
    auto w = Open();
    w->Logic().SelectRow(w->Logic().ReverseSort(n));
    Received();

    EXPECT_TRUE(DropOn(*w, RowOfCategory(*w, 7), MacroRowMime()));
    EXPECT_EQ(Unpacked(Stored(n).CategoryId), 7);
    EXPECT_EQ(+glob_.ActivationCode[n], 40);
    EXPECT_EQ(w->LastWave().toStdString(), dir_ + "/FLOOP.WAV");
    const Notices told = Received();
    EXPECT_NE(std::find(told.begin(), told.end(), std::pair<std::uint32_t, std::int32_t>{puMacroChanged, n}),
              told.end());

    EXPECT_TRUE(DropOn(*w, RowOfCategory(*w, 0), MacroRowMime()));
    EXPECT_EQ(Unpacked(Stored(n).CategoryId), 0);
}

// A category chosen with the arrow keys, as a hand presses them, filters the list as a
// click does; a key that moves nowhere changes nothing.
TEST_F(MainWinTools, ChoosingACategoryWithTheKeysFiltersTheList) {
    AddMacro("one", 40);
    TMacroRecord mail{};
    mail.Nickname = "mail";
    mail.ActivationCode = 41;
    mail.Scope = scGlobal;
    mail.Enabled = 1;
    mail.CategoryId = 3;
    ASSERT_TRUE(WriteMacroRecordAt(file_, -1, mail).ok());
    const int mailMacro = CountMacroRecords(file_);
    ASSERT_TRUE(SaveCategoryFile(dir_ + "/work.QTC", {{"Mail", 3}, {"Games", 7}}));
    auto w = Open();
    QListWidget* list = w->CategoryList();
    list->setFocus();
    const std::size_t all = w->Logic().rowMacro().size();
    ASSERT_GT(all, 1u);
    const auto press = [&](Qt::Key key) {
        QTest::keyPress(list, key);
        std::this_thread::sleep_for(std::chrono::milliseconds(80));
        QApplication::processEvents();
        QTest::keyRelease(list, key);
        QApplication::processEvents();
    };
    press(Qt::Key_Down);
    EXPECT_EQ(w->Logic().currentCategory(), 3);
    EXPECT_EQ(w->Logic().rowMacro(), std::vector<int>{mailMacro});
    press(Qt::Key_Down);
    EXPECT_EQ(w->Logic().currentCategory(), 7);
    EXPECT_TRUE(w->Logic().rowMacro().empty()) << "no macro is filed under Games";
    press(Qt::Key_Down);  // already the last one
    EXPECT_EQ(w->Logic().currentCategory(), 7);
    press(Qt::Key_Home);
    EXPECT_EQ(w->Logic().currentCategory(), 0);
    EXPECT_EQ(w->Logic().rowMacro().size(), all);
}

// A FIFO in the category file's place: it was never read, and the first change of the
// categories, through the panel's own button, neither waits on it nor replaces it; the
// user is told the change is not kept.
TEST_F(MainWinTools, AFifoAsTheCategoryFileIsRefusedWithoutWaitingOnTheFirstChange) {
    const std::string fifo = dir_ + "/work.QTC";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // In this process: a child forked from it would share its display connection. Opening
    // the FIFO would hang the test here, which the test run's time limit reports.
    auto w = Open();
    QPushButton* add = nullptr;
    for (QPushButton* b : w->CategoryList()->parentWidget()->findChildren<QPushButton*>())
        if (b->text() == "New") add = b;
    ASSERT_NE(add, nullptr);
    WhenModal([](QWidget* modal) {
        auto* name = qobject_cast<TDoCategory*>(modal);
        if (!name) return;
        name->CatName->setText("Work");
        name->OkButtonClick();
    });
    add->click();
    // After the box the list shows what the file holds: nothing was kept.
    EXPECT_EQ(w->CategoryList()->count(), 1);
    ASSERT_FALSE(calls_.empty());
    EXPECT_EQ(calls_.back().text, "The categories could not be saved.  The file " + fifo +
                                      " could not be written: it is a named pipe, not a regular file.");
    struct stat st {};
    ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// A category file edited by hand (LF line ends, a number written " 3"): a new category
// keeps every old byte and takes the file's line end; a full disk while renaming leaves the
// old file whole and, after the box, the list shows the old name again.
TEST_F(MainWinTools, AHandEditedCategoryFileKeepsItsBytesAndAFailedSaveShowsWhatIsKept) {
    const std::string qtc = dir_ + "/work.QTC";
    const std::string edited = "Mail\n 3\nHome\n4\n";
    std::ofstream(qtc, std::ios::binary) << edited;
    const auto read = [&] {
        std::ifstream in(qtc, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    auto w = Open();
    ASSERT_EQ(w->CategoryList()->count(), 3);
    QPushButton* add = nullptr;
    QPushButton* rename = nullptr;
    for (QPushButton* b : w->CategoryList()->parentWidget()->findChildren<QPushButton*>()) {
        if (b->text() == "New") add = b;
        if (b->text() == "Rename") rename = b;
    }
    ASSERT_TRUE(add && rename);
    WhenModal([](QWidget* modal) {
        if (auto* name = qobject_cast<TDoCategory*>(modal)) {
            name->CatName->setText("Work");
            name->OkButtonClick();
        }
    });
    add->click();
    EXPECT_EQ(read(), edited + "Work\n5\n");
    EXPECT_TRUE(calls_.empty()) << calls_.front().text;

    w->CategoryList()->setCurrentRow(RowOfCategory(*w, 3));
    const std::string before = read();
    {
        testing::FileSizeLimit full(10);
        ASSERT_TRUE(full.set());
        WhenModal([](QWidget* modal) {
            if (auto* name = qobject_cast<TDoCategory*>(modal)) {
                name->CatName->setText("Letters");
                name->OkButtonClick();
            }
        });
        rename->click();
    }
    EXPECT_EQ(read(), before);
    ASSERT_FALSE(calls_.empty());
    EXPECT_NE(calls_.back().text.find("The categories could not be saved."), std::string::npos)
        << calls_.back().text;
    ASSERT_NE(RowOfCategory(*w, 3), -1);
    EXPECT_EQ(w->CategoryList()->item(RowOfCategory(*w, 3))->text(), "Mail");
}

TEST_F(MainWinTools, OnlyARowOfThisListCountsAndSoundOffIsSilent) {
    const int n = AddMacro("one", 40);
    ASSERT_TRUE(SaveCategoryFile(dir_ + "/work.QTC", {{"Mail", 3}}));
    config_.SoundOff = true;
    auto w = Open();
    w->Logic().SelectRow(w->Logic().ReverseSort(n));

    auto* text = new QMimeData;
    text->setText("one");
    EXPECT_FALSE(DropOn(*w, RowOfCategory(*w, 3), text));
    auto* foreign = new QMimeData;  // a row from another editor's list
    foreign->setData("application/x-tessaro-macro-row", "1");
    EXPECT_FALSE(DropOn(*w, RowOfCategory(*w, 3), foreign));
    EXPECT_EQ(Unpacked(Stored(n).CategoryId), 0);

    EXPECT_TRUE(DropOn(*w, RowOfCategory(*w, 3), MacroRowMime()));
    EXPECT_EQ(Unpacked(Stored(n).CategoryId), 3);
    EXPECT_TRUE(w->LastWave().isEmpty());
}

TEST_F(MainWinTools, ChangingASystemMacroOpensTheSystemKeysDialogWhichRewritesIt) {
    auto w = Open();
    int terminate = 0;
    for (int m = 1; m <= glob_.MacroCount; ++m)
        if (glob_.Scope[m] == scSystem && glob_.ScopeText[m].view() == "5") terminate = m;
    ASSERT_NE(terminate, 0);
    w->Logic().SelectRow(w->Logic().ReverseSort(terminate));
    Received();
    int focused = -1;
    WhenModal([&](QWidget* modal) {
        auto* d = qobject_cast<TSystemKeys*>(modal);
        ASSERT_NE(d, nullptr);
        focused = d->FocusedSlot();
        d->WMHotKeyChosen(40);
        d->OkButtonClick();
    });
    w->Run(ExplorerAction::ChangeActivation);
    EXPECT_EQ(focused, 0) << "the dialog opens on the command being changed";
    EXPECT_EQ(+Stored(terminate).ActivationCode, 40);
    EXPECT_EQ(+glob_.ActivationCode[terminate], 40);
    const Notices told = Received();
    EXPECT_NE(std::find(told.begin(), told.end(), std::pair<std::uint32_t, std::int32_t>{puSettingsMisc, 0}),
              told.end());
}

// Answers the open dialog with one path.
class ChosenFile : public FileChooser {
public:
    explicit ChosenFile(std::string path) : path_(std::move(path)) {}
    std::string Choose(QWidget*, const FileChoice&) override { return path_; }

private:
    std::string path_;
};

TEST_F(MainWinTools, ATextImportOfManyBadItemsCanBeStoppedAtItsFirstBox) {
    config_.NetworkMode = true;
    const std::string text = dir_ + "/items.txt";
    {
        std::ofstream out(text, std::ios::binary);
        out << "<ITEM NAME>hi\r\nGreeting\r\nhello\r\n";
        for (int i = 0; i < 300; ++i) out << "<ITEM NAME>bad key no " << i << "\r\nBad\r\nx\r\n";
    }
    auto w = Open();
    const int before = CountMacroRecords(file_);
    ChosenFile chosen(text);
    ScopedFileChooser chooser(chosen);
    answers_ = {win::MbResult::Ok, win::MbResult::Cancel};  // the format notice, then the first bad item
    w->Run(ExplorerAction::ImportText);

    ASSERT_EQ(calls_.size(), 2u);
    EXPECT_EQ(calls_[1].caption, "Error");
    EXPECT_EQ(calls_[1].buttons, win::MbButtons::OkCancel);
    EXPECT_EQ(calls_[1].text.rfind("The Original Keys \"bad key no 0\" is longer than", 0), 0u)
        << calls_[1].text;
    // What was imported stays, and the shared file is free again.
    ASSERT_EQ(CountMacroRecords(file_), before + 1);
    EXPECT_EQ(Stored(before + 1).Nickname.view(), "Greeting");
    EXPECT_EQ(+glob_.MacroCount, before + 1);
    TSyncRecord lock;
    ASSERT_EQ(ReadSyncRecord(dir_ + "/work.MAS", lock), SyncReadResult::Read);
    EXPECT_EQ(Unpacked(lock.State), kSyncReleased);
}

TEST_F(MainWinTools, AlarmAndIntervalSaveTheSchedulerSectionAndTellThePlayer) {
    auto w = Open();
    Received();
    WhenModal([](QWidget* modal) {
        auto* d = qobject_cast<TDoDelay*>(modal);
        ASSERT_NE(d, nullptr);
        d->Seconds->setText("7");
        d->OkButton->click();
    });
    w->Run(ExplorerAction::TimerInterval);
    EXPECT_EQ(Received(), (Notices{{puSettingsScheduler, 0}}));
    TConfigRecord saved;
    LoadSchedulerSettings(saved);
    EXPECT_EQ(saved.TimerSeconds, 7);
    EXPECT_EQ(config_.TimerSeconds, 7);

    WhenModal([](QWidget* modal) {
        ASSERT_NE(qobject_cast<TDoSound*>(modal), nullptr);
        static_cast<QDialog*>(modal)->reject();
    });
    w->Run(ExplorerAction::Alarm);
    EXPECT_EQ(Received(), (Notices{{puSettingsScheduler, 0}}));
}

TEST_F(MainWinTools, BrowserRepairChangesNothingAndForgetsTheSavedValues) {
    config_.IE5Server = "C:\\WINDOWS\\SYSTEM\\SHDOCVW.DLL";
    config_.IE5TypeLib = "{lib}";
    config_.IE5Version = "1.1";
    auto w = Open();
    Received();
    answers_ = {win::MbResult::No};
    w->Run(ExplorerAction::IE5Restore);
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].caption, "Restore Registry");
    EXPECT_EQ(config_.IE5Server.str(), "C:\\WINDOWS\\SYSTEM\\SHDOCVW.DLL") << "No keeps everything";

    answers_ = {win::MbResult::Yes};
    w->Run(ExplorerAction::IE5Restore);
    ASSERT_EQ(calls_.size(), 3u);
    EXPECT_EQ(calls_[2].caption, "Error");
    EXPECT_EQ(calls_[2].text, "Unabled to write registry values.  Registry update not applied.");
    EXPECT_TRUE(config_.IE5Server.empty() && config_.IE5TypeLib.empty() && config_.IE5Version.empty());

    answers_ = {win::MbResult::Yes, win::MbResult::Ok, win::MbResult::Yes};
    w->Run(ExplorerAction::IE5Fix);
    w->Run(ExplorerAction::IE5Fix);  // a second run reports the same
    ASSERT_EQ(calls_.size(), 7u);
    EXPECT_EQ(calls_[3].caption, "IE5 Fix");
    EXPECT_EQ(calls_[3].text.substr(0, 66),
              "It is possible for some versions of Internet Explorer 5.0 to not\r\n");
    EXPECT_TRUE(calls_[3].text.ends_with("desire to.\r\nProceed with the fix?\r\n"));
    for (int i : {4, 6}) {
        EXPECT_EQ(calls_[std::size_t(i)].caption, "Error");
        EXPECT_EQ(calls_[std::size_t(i)].text,
                  "Unabled to change registry values.  Registry update not applied.");
    }
    EXPECT_TRUE(Received().empty()) << "nothing changed, nothing to tell";
}

TEST_F(MainWinTools, HelpContentsOpensTheHtmlHelpThroughTheOpener) {
    const std::string bin = dir_ + "/bin";
    fs::create_directories(bin);
    {
        std::ofstream script(bin + "/xdg-open");
        script << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << dir_ << "/opened'\n";
    }
    fs::permissions(bin + "/xdg-open", fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (bin + ":" + oldPath).c_str(), 1);
    std::ofstream(dir_ + "/TESSARO.html") << "<html></html>\n";
    auto w = Open();
    w->Run(ExplorerAction::HelpContents);
    ShowHelpTopic(w.get(), "SYSTEM Hot Keys");  // any dialog's help goes the same way
    std::string opened;
    for (int i = 0; i < 100; ++i) {
        std::ifstream in(dir_ + "/opened");
        std::stringstream all;
        all << in.rdbuf();
        opened = all.str();
        if (std::count(opened.begin(), opened.end(), '\n') >= 2) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::setenv("PATH", oldPath.c_str(), 1);
    // The two may finish in either order.
    EXPECT_NE(opened.find("file://" + dir_ + "/TESSARO.html\n"), std::string::npos) << opened;
    EXPECT_NE(opened.find("file://" + dir_ + "/TESSARO.html#SYSTEM%20Hot%20Keys\n"), std::string::npos)
        << opened;
}

TEST_F(MainWinTools, AMissingHelpPageIsSaidAndNothingIsOpened) {
    auto w = Open();
    w->Run(ExplorerAction::HelpContents);
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].caption, "Error");
    EXPECT_EQ(calls_[0].text, "The help file " + dir_ + "/TESSARO.html could not be found.");
}

// The list's icon column and the desktop launcher use the programs' own icons.
class MainWinIcons : public MainWinTools {
protected:
    // HOME in the sandbox, without XDG_CONFIG_HOME, while it lives: the desktop folder is
    // looked up there.
    class SandboxHome {
    public:
        explicit SandboxHome(const std::string& home)
            : oldHome_(std::getenv("HOME") ? std::getenv("HOME") : ""),
              hadConfig_(std::getenv("XDG_CONFIG_HOME") != nullptr),
              oldConfig_(hadConfig_ ? std::getenv("XDG_CONFIG_HOME") : "") {
            ::setenv("HOME", home.c_str(), 1);
            ::unsetenv("XDG_CONFIG_HOME");
        }
        ~SandboxHome() {
            ::setenv("HOME", oldHome_.c_str(), 1);
            if (hadConfig_) ::setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1);
        }

    private:
        std::string oldHome_;
        bool hadConfig_;
        std::string oldConfig_;
    };
    // The picture a launcher names.
    static std::string LauncherIcon(const std::string& launcher) {
        std::ifstream in(launcher);
        std::string line, icon;
        while (std::getline(in, line))
            if (line.rfind("Icon=", 0) == 0) icon = line.substr(5);
        return icon;
    }
    int AddIconMacro(const char* nickname, int code, std::uint16_t scope, const char* icon) {
        TMacroRecord r{};
        r.Nickname = nickname;
        r.ActivationCode = static_cast<std::uint16_t>(code);
        r.Scope = scope;
        r.Enabled = 1;
        r.IconName = icon;
        EXPECT_TRUE(WriteMacroRecordAt(file_, -1, r).ok());
        return CountMacroRecords(file_);
    }
    // Cell (1, row) as the grid paints it, on white.
    static QImage IconCell(TMainWin& w, int row) {
        const int side = w.Grid()->DefaultRowHeight();
        QImage cell(side, side, QImage::Format_ARGB32);
        cell.fill(Qt::white);
        QPainter p(&cell);
        w.Grid()->PaintCell(p, 1, row, cell.rect(), TGridDrawState{});
        return cell;
    }
    // The icon on the cell's background (its corner, which the round icons leave free).
    static QImage Expected(const QIcon& icon, const QImage& painted) {
        QImage cell(painted.size(), QImage::Format_ARGB32);
        cell.fill(painted.pixelColor(0, 0));
        QPainter p(&cell);
        icon.paint(&p, cell.rect());
        return cell;
    }
};

TEST_F(MainWinIcons, TheIconColumnDrawsEachMacrosIcon) {
    const int plain = AddIconMacro("Plain", 3, scGlobal, "MAIN");
    const int menu = AddIconMacro("Menu", 4, scPopupMenu, "MENU");
    config_.ShowIcons = true;
    auto w = Open();
    w->resize(640, 400);
    QApplication::processEvents();
    ASSERT_GT(w->Grid()->ColWidths(1), 0);
    const QImage mainCell = IconCell(*w, w->Logic().ReverseSort(plain));
    const QImage menuCell = IconCell(*w, w->Logic().ReverseSort(menu));
    const QImage blank = Expected(QIcon(), mainCell);
    EXPECT_NE(mainCell, blank);
    EXPECT_EQ(mainCell, Expected(MainIcon(), mainCell));
    EXPECT_EQ(menuCell, Expected(MenuIcon(), menuCell));
    const auto screens = fs::path(TESSARO_TEST_BIN_DIR) / ".." / "screens";
    fs::create_directories(screens);
    EXPECT_TRUE(w->grab().save(QString::fromStdString((screens / "TMainWin-icons.png").string())));

    // Icons off: the column draws nothing.
    config_.ShowIcons = false;
    EXPECT_EQ(IconCell(*w, w->Logic().ReverseSort(plain)), blank);
}

TEST_F(MainWinIcons, PlaceOnDesktopWritesALauncherForEitherDefaultIcon) {
    const std::string home = dir_ + "/home";
    fs::create_directories(home + "/Desktop");
    const int plain = AddIconMacro("Plain", 3, scGlobal, "MAIN");
    const int menu = AddIconMacro("Menu", 4, scPopupMenu, "MENU");
    auto w = Open();
    {
        const SandboxHome sandbox(home);
        for (int n : {plain, menu}) {
            calls_.clear();
            w->Logic().SelectRow(w->Logic().ReverseSort(n));
            w->Run(ExplorerAction::PlaceOnDesktop);
            ASSERT_EQ(calls_.size(), 1u) << n;
            EXPECT_EQ(calls_[0].text, "DeskTop Icon Added.") << n;
        }
    }
    for (const char* name : {"Plain", "Menu"}) {
        const std::string icon = LauncherIcon(home + "/Desktop/" + name + ".desktop");
        EXPECT_EQ(icon, dir_ + "/Launchers/TESRUN.png") << name;
        const QImage picture(QString::fromStdString(icon));
        EXPECT_FALSE(picture.isNull()) << name;
        EXPECT_EQ(picture.convertToFormat(QImage::Format_ARGB32),
                  MainIcon().pixmap(48).toImage().convertToFormat(QImage::Format_ARGB32))
            << "the launcher starts the player: its picture is the player's";
    }
}

// A macro whose icon file is gone, for a user who has no desktop folder yet: the folder
// the desktop's settings name is made, and the launcher shows the player's picture, as the
// list shows the macro with it.
TEST_F(MainWinIcons, PlaceOnDesktopMakesTheDesktopFolderAndFallsBackToThePlayersPicture) {
    const std::string home = dir_ + "/home";
    fs::create_directories(home + "/.config");
    std::ofstream(home + "/.config/user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n";
    const int gone = AddIconMacro("Gone", 3, scGlobal, "GONE.ICO");
    auto w = Open();
    calls_.clear();
    w->Logic().SelectRow(w->Logic().ReverseSort(gone));
    {
        const SandboxHome sandbox(home);
        w->Run(ExplorerAction::PlaceOnDesktop);
    }
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].text, "DeskTop Icon Added.");
    const std::string icon = LauncherIcon(home + "/Bureau/Gone.desktop");
    EXPECT_EQ(icon, dir_ + "/Launchers/TESRUN.png");
    EXPECT_EQ(QImage(QString::fromStdString(icon)).convertToFormat(QImage::Format_ARGB32),
              MainIcon().pixmap(48).toImage().convertToFormat(QImage::Format_ARGB32));
}

}  // namespace
}  // namespace tessaro
