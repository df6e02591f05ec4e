// Every window a user opens from the editor's menus, its buttons and the buttons of the
// macro-text editor ("Modify Directly"), on an 800 x 600 screen under a real window manager:
// each opens with its whole frame inside the work area and with every control inside it.
// The forms are the editor's own, in this program, with the editor's window set-up.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "editor/commands/address_dialogs.h"
#include "editor/explorer/category_file.h"
#include "editor/explorer/forms/t_mod_hot_keys.h"
#include "foundation/ras.h"
#include "widgets/page_control.h"
#include "tests/e2e/windows/editor_on_desktop.h"
#include "tests/e2e/windows/window_walk.h"

namespace tessaro::testing {
namespace {

// Menu items the walk does not choose, and why; the closing note lists them.
struct Left {
    const char* item;
    const char* reason;
};
constexpr Left kNotChosen[] = {
    {"&Terminate Tessaro Editor", "ends the editor; it opens no window"},
    {"E&xit", "closes the macro-text editor without storing; it opens no window"},
    {"&Update and Exit", "stores the macro and closes the macro-text editor; it opens no window"},
    {"Tessaro &Home Page", "opens the home page in the desktop's browser, a program of its own"},
};

bool NotChosen(const QString& text) {
    for (const Left& l : kNotChosen)
        if (text == QString::fromUtf8(l.item)) return true;
    return false;
}

// A caption as the walk names it: without mnemonic marks, on one line.
std::string Caption(const QString& text) {
    return QString(text).remove('&').replace('\n', ' ').toStdString();
}

// Each enabled item of a menu bar and of its menus, in order, with its path. Check marks
// toggle a setting and open nothing; they are left to the menu's own tests.
void LeafItems(QWidget* menu, const std::string& path, std::vector<std::pair<std::string, QAction*>>& out) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible()) continue;
        const std::string here = path.empty() ? Caption(a->text()) : path + " > " + Caption(a->text());
        if (a->menu()) {
            LeafItems(a->menu(), here, out);
            continue;
        }
        if (!a->isEnabled() || a->isCheckable() || NotChosen(a->text())) continue;
        out.emplace_back(here, a);
    }
}

class EditorWindows : public OnASmallDesktop {
protected:
    void SetUp() override {
        OnASmallDesktop::SetUp();
        if (IsSkipped()) return;
        shown = std::make_unique<EditorOnDesktop>(*desktop, "WINDOWS.QTM");
        shown->config.UseSpeed = false;  // the large buttons, which a hand clicks
        shown->config.ShowCategory = true;
        // A hot-key macro and a timed one of the same nickname (so "Place On Desktop" refuses
        // rather than writing into the user's desktop), an abbreviation and a window macro:
        // each shows other controls in "Modify Directly".
        hotKey = shown->Append("Twin", 5, scGlobal);
        timed = shown->Append("Twin", 10000, scGlobal);
        TMacroRecord signature{};
        signature.Nickname = "Signature";
        signature.ActivationCode = 20000;
        signature.Scope = scGlobal;
        signature.Abbreviation = "sig";
        signature.Enabled = 1;
        snipra = shown->Append(signature);
        window = shown->Append("Notepad keys", 6, scWindow, "Notepad");
        // A category of the user's own: "Add To Category" then has one to offer.
        ASSERT_TRUE(SaveCategoryFile(desktop->box().file("WINDOWS.QTC"), {{"Letters", 2}}));
        // A dial-up service with one entry: the dial-up dialog opens.
        ::setenv("FAKE_NM_CONNECTIONS", "Work Dial:gsm:alice", 1);
        ASSERT_TRUE(RasLoadLibrary(std::string(TESSARO_TEST_BIN_DIR) + "/libfake_nm.so"));
        ASSERT_TRUE(shown->Show());
        editor = &shown->editor();
        walk = std::make_unique<WindowWalk>(*desktop);
    }
    void TearDown() override {
        walk.reset();
        shown.reset();
        RasFreeLibrary();
    }
    void SelectMacro(int n) { ASSERT_TRUE(shown->SelectMacro(n)); }

    // Inside "Modify Directly": the buttons its macro's kind shows and, on the first macro,
    // every command button, the file and search items of its menus and its icon button
    // (the same for every kind).
    void GoThroughTextEditor(QWidget& w, const std::string& path, bool everything) {
        auto* form = qobject_cast<TModHotKeys*>(&w);
        if (!form) return;
        for (QPushButton* b : {form->SetSchedule, form->ShortProp, form->ChooseWinProg})
            if (b->isVisible() && b->isEnabled()) walk->Click(path + " > " + Caption(b->text()), *b);
        if (!everything) return;
        // The form has no minimise or maximise box: it asks for none, and the manager offers
        // no maximising of a window that keeps one size (it keeps its own minimise button).
        const std::vector<std::string> offered = desktop->Offered(form->winId());
        for (const char* box :
             {"minimise", "maximise", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"})
            EXPECT_EQ(std::count(offered.begin(), offered.end(), box), 0) << path << " offers " << box;
        if (auto* commands = form->findChild<QGroupBox*>("CommandPanel"))
            for (QPushButton* b : commands->findChildren<QPushButton*>())
                walk->Click(path + " > " + Caption(b->text()), *b);
        walk->Click(path + " > Icon", *form->MySpeed);
        std::vector<std::pair<std::string, QAction*>> items;
        for (QAction* top : form->Menu->actions()) {
            const QString menu = top->text();
            // The key menus insert tokens; the two action menus open the dialogs of the
            // command buttons above.
            if (menu == "&File" || menu == "&Edit")
                LeafItems(top->menu(), path + " > " + Caption(menu), items);
        }
        for (const auto& [itemPath, item] : items) {
            QPointer<QAction> a(item);
            walk->Open(itemPath, [a] {
                if (a) a->trigger();
            });
        }
    }

    std::unique_ptr<EditorOnDesktop> shown;
    TMainWin* editor = nullptr;
    int hotKey = 0, timed = 0, snipra = 0, window = 0;
    std::unique_ptr<WindowWalk> walk;
};

TEST_F(EditorWindows, EveryWindowOpensWholeOnASmallScreen) {
    EXPECT_EQ(desktop->FrameFault(*editor), "");
    EXPECT_EQ(VisibleFaults(*editor), std::vector<std::string>{});
    const WindowWalk::Inside textEditor = [this](QWidget& w, const std::string& path) {
        GoThroughTextEditor(w, path, true);
    };
    const WindowWalk::Inside kindButtons = [this](QWidget& w, const std::string& path) {
        GoThroughTextEditor(w, path, false);
    };
    // The recipient list's own dialog, for one recipient.
    const WindowWalk::Inside recipient = [this](QWidget& w, const std::string& path) {
        if (auto* list = qobject_cast<TMyAddress*>(&w)) walk->Click(path + " > Add", *list->AddButton);
    };

    // The menus, on the hot-key macro; "Modify Directly" once for each kind of macro.
    SelectMacro(hotKey);
    std::vector<std::pair<std::string, QAction*>> items;
    LeafItems(editor->menuBar(), "", items);
    for (const auto& [path, item] : items) {
        QPointer<QAction> a(item);
        const bool modify = item == editor->MenuItem(ExplorerAction::ModifyDirectly);
        walk->Open(
            path,
            [a] {
                if (a) a->trigger();
            },
            modify ? textEditor : recipient);
    }
    for (int n : {timed, snipra, window}) {
        SelectMacro(n);
        walk->Open(
            "Macros > Modify Directly, macro " + std::to_string(n),
            [this] { editor->Run(ExplorerAction::ModifyDirectly); }, kindButtons);
    }

    // The buttons of the macro page, of the category panel (on the user's category) and of
    // the wizard page.
    SelectMacro(hotKey);
    editor->CategoryList()->setCurrentRow(1);
    std::vector<QAbstractButton*> buttons;
    for (QAbstractButton* b : editor->ButtonPanel()->findChildren<QAbstractButton*>()) buttons.push_back(b);
    for (QAbstractButton* b : editor->CategoryPanel()->findChildren<QAbstractButton*>()) buttons.push_back(b);
    for (QAbstractButton* b : buttons)
        if (b->isVisible() && b->isEnabled()) walk->Click("Button " + Caption(b->text()), *b);
    editor->Pages()->setCurrentIndex(1);
    for (QAbstractButton* b : editor->WizardButtons()) walk->Click("Wizard button " + Caption(b->text()), *b);

    // What opened no window: only the commands that act at once.
    std::set<std::string> quiet;  // the last step of each path
    for (const std::string& p : walk->noWindow()) {
        const std::size_t last = p.rfind(" > ");
        quiet.insert(last == std::string::npos ? p : p.substr(last + 3));
    }
    EXPECT_EQ(quiet, (std::set<std::string>{"Button Activate Macro", "Deactivate Macro", "Cut", "Copy",
                                            "Paste", "Delete"}));
    EXPECT_GE(walk->seen().size(), 120u);
    // Among them the dialogs seen growing past the screen, keeping a hidden panel's room or not
    // centred again after a choice: each walked through that choice.
    const std::pair<std::string, std::string> choices[] = {
        {"Activate/Launch Program",
         "Activate Window if Running Otherwise Launch Program and Activate Window"},
        {"Activate/Launch Program", "Activate Window Only"},
        {"Wait For", "Wait For Key Press"},
        {"Map or Unmap  A Network Drive", "List Current Mapped Drives"},
        {"Map or Unmap  A Network Drive", "List Drives That Map on Bootup"},
        {"System Controls", "Set Desktop Wallpaper"},
        {"Dial-Up Networking", "Hang Up"},
        {"Repeat Options", "Incremental Counter"},
    };
    for (const auto& [window, choice] : choices) {
        const std::string last = " > " + choice;
        const bool walked =
            std::any_of(walk->seen().begin(), walk->seen().end(), [&](const WindowWalk::Seen& s) {
                return s.window.rfind("\"" + window + "\"", 0) == 0 && s.path.size() > last.size() &&
                       s.path.compare(s.path.size() - last.size(), last.size(), last) == 0;
            });
        EXPECT_TRUE(walked) << "\"" << window << "\" was not walked through \"" << choice << "\"";
    }
    // And those once narrower than their captions.
    for (const char* title : {"Search and Replace", "EMail Recipient Maintanence", "Output Macros To File",
                              "Category Maintenance", "Quick Info"}) {
        const std::string named = "\"" + std::string(title) + "\"";
        EXPECT_TRUE(std::any_of(walk->seen().begin(), walk->seen().end(),
                                [&](const WindowWalk::Seen& s) { return s.window.rfind(named, 0) == 0; }))
            << named << " was not opened";
    }
    for (const std::string& f : walk->Faults()) ADD_FAILURE() << f;
}

}  // namespace
}  // namespace tessaro::testing
