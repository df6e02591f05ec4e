// Windows of the editor read whole after the user's choices, on an 800 x 600 screen under a
// real window manager: the sort lists and the export list show every entry and column inside
// them, the macro-text editor's "Miscellaneous" list opens 19 rows, the script editor at its
// narrowest keeps its buttons off the command list and shows a text holding line breaks on
// one row, the quick wizard's pages keep their captions and their controls at the top, and
// its lists follow a click of the real pointer.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "editor/explorer/forms/t_mod_hot_keys.h"
#include "editor/explorer/tools/macro_exchange_dialogs.h"
#include "editor/explorer/tools/sort_order_dialog.h"
#include "editor/script/ui/do_scripting.h"
#include "editor/wizard/t_quick_wiz.h"
#include "platform/message_box.h"
#include "tests/support/modal_window.h"
#include "tests/e2e/windows/editor_on_desktop.h"

namespace tessaro::testing {
namespace {

// What of a list's entries a user cannot read: a scroll bar, or an entry cut at the edge.
std::vector<std::string> CutEntries(const QListWidget& list) {
    std::vector<std::string> out;
    const std::string name = list.objectName().toStdString();
    if (list.horizontalScrollBar()->isVisible()) out.push_back(name + " scrolls sideways");
    if (list.verticalScrollBar()->isVisible()) out.push_back(name + " scrolls");
    const QRect room = list.viewport()->rect();
    for (int i = 0; i < list.count(); ++i) {
        const QRect row = list.visualItemRect(list.item(i));
        const int text = list.fontMetrics().horizontalAdvance(list.item(i)->text());
        if (!room.contains(row) || text > row.width())
            out.push_back(name + ": \"" + list.item(i)->text().toStdString() + "\" is cut");
    }
    return out;
}

class LayoutFaults : public OnASmallDesktop {
protected:
    void SetUp() override {
        OnASmallDesktop::SetUp();
        if (IsSkipped()) return;
        shown = std::make_unique<EditorOnDesktop>(
            *desktop, std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".QTM");
        // A hot key of the longest name, and a window macro of the longest scope text the
        // lists show (20 characters), whose text holds a line break.
        TMacroRecord hot{};
        hot.Nickname = "Letters";
        hot.ActivationCode = 713;  // the longest hot-key names are those of the mouse buttons
        hot.Scope = scGlobal;
        hot.Enabled = 1;
        SetMacroText(hot, "Dear Sir,\r\nYours<DELAY:01.00>");
        ASSERT_EQ(shown->Append(hot), 1);
        shown->Append("Notes", 6, scWindow, "Microsoft Word - Doc");
        ASSERT_TRUE(shown->Show());
        editor = &shown->editor();
        ASSERT_TRUE(shown->SelectMacro(1));
    }
    void TearDown() override { shown.reset(); }

    std::unique_ptr<EditorOnDesktop> shown;
    TMainWin* editor = nullptr;
};

TEST_F(LayoutFaults, TheSortListsShowEveryEntryWhole) {
    bool seen = false;
    WhenModal<TSortOrder>([&](TSortOrder& dialog) {
        seen = desktop->SettledFrame(dialog).has_value();
        EXPECT_EQ(desktop->FrameFault(dialog), "");
        for (QListWidget* list : {dialog.Primary, dialog.Activation, dialog.Scope})
            EXPECT_EQ(CutEntries(*list), std::vector<std::string>{});
        dialog.reject();
    });
    editor->Run(ExplorerAction::SortMacros);
    EXPECT_TRUE(seen);
}

// Activation before the name's column at 2.5 sevenths of the row, the scope from 5.5 sevenths
// to the row's end.
TEST_F(LayoutFaults, TheExportListsColumnsLieInsideIt) {
    bool seen = false;
    WhenModal<TMyExport>([&](TMyExport& dialog) {
        seen = desktop->SettledFrame(dialog).has_value();
        EXPECT_EQ(desktop->FrameFault(dialog), "");
        QListWidget& list = *dialog.ListBox1;
        ASSERT_EQ(list.count(), 2);
        EXPECT_FALSE(list.horizontalScrollBar()->isVisible());
        const QFontMetrics metrics(list.font());
        for (int i = 0; i < list.count(); ++i) {
            const QRect row = list.visualItemRect(list.item(i));
            EXPECT_TRUE(list.viewport()->rect().contains(row)) << "row " << i << " runs past the list";
            const int unit = row.width() / 7;
            const QString activation = list.item(i)->data(Qt::UserRole).toString();
            const QString scope = list.item(i)->data(Qt::UserRole + 2).toString();
            EXPECT_LE(2 + metrics.horizontalAdvance(activation), unit * 5 / 2)
                << activation.toStdString() << " runs into the name";
            EXPECT_LE(int(5.5 * unit) + metrics.horizontalAdvance(scope), row.width())
                << scope.toStdString() << " runs past the list's edge";
        }
        dialog.reject();
    });
    editor->Run(ExplorerAction::ExportMacros);
    EXPECT_TRUE(seen);
}

TEST_F(LayoutFaults, TheMiscellaneousListOpensNineteenRows) {
    bool seen = false;
    WhenModal<TModHotKeys>([&](TModHotKeys& form) {
        seen = desktop->SettledFrame(form).has_value();
        QComboBox& box = *form.MiscBox;
        ASSERT_GT(box.count(), 19);
        { std::jthread hand = desktop->ClickAt(box.mapToGlobal(box.rect().center())); }
        QAbstractItemView* view = box.view();
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }, 5000)) << "the list did not open";
        int whole = 0;
        for (int row = 0; row < box.count(); ++row)
            if (view->viewport()->rect().contains(view->visualRect(box.model()->index(row, 0)))) ++whole;
        EXPECT_EQ(whole, 19);
        box.hidePopup();
        form.close();
    });
    editor->Run(ExplorerAction::ModifyDirectly);
    EXPECT_TRUE(seen);
}

TEST_F(LayoutFaults, TheScriptEditorAtItsNarrowestAndATextWithLineBreaks) {
    bool seen = false;
    WhenModal<TDoScripting>([&](TDoScripting& form) {
        seen = desktop->SettledFrame(form).has_value();
        // Dragged as narrow as it goes.
        form.resize(1, form.height());
        QApplication::processEvents();
        const QRect commands(form.OptionBox->mapTo(&form, QPoint(0, 0)), form.OptionBox->size());
        for (QPushButton* b : {form.AddButton, form.InsertBefore, form.InsertAfter, form.Wizard}) {
            const QRect button(b->mapTo(&form, QPoint(0, 0)), b->size());
            EXPECT_FALSE(button.intersects(commands))
                << b->text().toStdString() << " is drawn over the command list";
        }
        // The text "Dear Sir," CR LF "Yours" and a delay: the text's line is one row high.
        QListView& script = *form.Script;
        const QAbstractItemModel& rows = *script.model();
        ASSERT_GE(rows.rowCount(), 2);
        const QString first = rows.index(0, 0).data().toString();
        EXPECT_FALSE(first.contains('\n')) << first.toStdString();
        EXPECT_TRUE(first.contains("Yours")) << first.toStdString();
        EXPECT_EQ(script.visualRect(rows.index(0, 0)).height(), script.visualRect(rows.index(1, 0)).height());
        form.CancelButton->click();
    });
    editor->Run(ExplorerAction::ScriptingEditor);
    EXPECT_TRUE(seen);
}

// "Paste Text or Graphics": the labels its creation leaves switched off keep their captions;
// with a file or a picture to paste, page 12's heading and path stand at its top.
TEST_F(LayoutFaults, TheQuickWizardsPagesKeepCaptionsAndTheirControlsAtTheTop) {
    QAbstractButton* paste = nullptr;
    for (QAbstractButton* b : editor->WizardButtons())
        if (b->objectName() == "WizClip") paste = b;
    ASSERT_NE(paste, nullptr);
    int pages = 0;
    WhenModal<TQuickWiz>([&](TQuickWiz& wizard) {
        const auto walk = [&] {
            ASSERT_TRUE(desktop->SettledFrame(wizard));
            EXPECT_EQ(wizard.findChild<QLabel*>("P31FolderLabel")->text(), "Folder");
            EXPECT_EQ(wizard.findChild<QLabel*>("P51IconSizeLabel")->text().remove('&'), "Icon Size");
            // Past the introduction (which the user may have switched off) to the choice of
            // what to paste.
            for (int i = 0; i < 3 && wizard.CurrentPage() != 13; ++i) wizard.NextButton->click();
            ASSERT_EQ(wizard.CurrentPage(), 13);
            for (const char* choice : {"P13File", "P13Graphic"}) {
                SCOPED_TRACE(choice);
                auto* radio = wizard.findChild<QRadioButton*>(choice);
                ASSERT_NE(radio, nullptr);
                radio->click();
                wizard.NextButton->click();
                ASSERT_TRUE(QTest::qWaitFor([&] { return wizard.CurrentPage() == 12; }, 5000));
                QApplication::processEvents();
                QWidget* page = wizard.Panel(12);
                auto* heading = page->findChild<QLabel*>("P12Heading");
                auto* path = page->findChild<QLineEdit*>("P12Path");
                ASSERT_TRUE(heading && path && path->isVisible());
                EXPECT_LT(heading->y(), page->height() / 6) << "the heading stands mid-page";
                EXPECT_LT(path->y(), heading->geometry().bottom() + 3 * path->height())
                    << "the path field stands far below its heading";
                ++pages;
                wizard.BackButton->click();
                ASSERT_TRUE(QTest::qWaitFor([&] { return wizard.CurrentPage() == 13; }, 5000));
            }
        };
        walk();
        wizard.reject();
    });
    paste->click();
    EXPECT_EQ(pages, 2);
}

// "Build Macros From Other Macros" clicked through by hand: a click on a line of the new
// macro enables what fits that line, and after "A hot key has not been selected." the hot-key
// field names no key.
TEST_F(LayoutFaults, TheCombiningWizardFollowsClicksOnItsLists) {
    bool seen = false;
    std::vector<std::string> boxes;
    win::ScopedMessageBoxHandler answer([&](const win::MessageBoxCall& call) {
        boxes.push_back(call.text);
        return win::FirstButton(call.buttons);
    });
    WhenModal<TQuickWiz>([&](TQuickWiz& wizard) {
        const auto walk = [&] {
            ASSERT_TRUE(desktop->SettledFrame(wizard));
            for (int i = 0; i < 3 && wizard.CurrentPage() != 64; ++i) wizard.NextButton->click();
            ASSERT_EQ(wizard.CurrentPage(), 64);
            auto* avail = wizard.findChild<QListWidget*>("P64AvailBox");
            auto* lines = wizard.findChild<QListWidget*>("P64NewBox");
            auto* add = wizard.findChild<QPushButton*>("P64AddButton");
            auto* up = wizard.findChild<QPushButton*>("P64DoUp");
            auto* down = wizard.findChild<QPushButton*>("P64DoDown");
            auto* remove = wizard.findChild<QPushButton*>("P64DoDelete");
            ASSERT_TRUE(avail && lines && add && up && down && remove);
            ASSERT_GT(avail->count(), 0);
            avail->setCurrentRow(0);
            add->click();
            add->click();
            add->click();
            ASSERT_EQ(lines->count(), 3);
            QApplication::processEvents();
            const QPoint middle =
                lines->viewport()->mapToGlobal(lines->visualItemRect(lines->item(1)).center());
            { std::jthread hand = desktop->ClickAt(middle); }
            ASSERT_TRUE(QTest::qWaitFor([&] { return lines->item(1)->isSelected(); }, 5000));
            QApplication::processEvents();
            EXPECT_TRUE(up->isEnabled());
            EXPECT_TRUE(down->isEnabled());
            EXPECT_TRUE(remove->isEnabled());

            for (int i = 0; i < 3 && wizard.CurrentPage() != 3; ++i) wizard.NextButton->click();
            ASSERT_EQ(wizard.CurrentPage(), 3);
            auto* keys = wizard.findChild<QListWidget*>("P3KeyList");
            auto* entry = wizard.findChild<QLineEdit*>("P3HotKeyEntry");
            ASSERT_TRUE(keys && entry);
            const std::size_t before = boxes.size();
            wizard.NextButton->click();
            ASSERT_EQ(boxes.size(), before + 1);
            EXPECT_EQ(boxes.back(), "A hot key has not been selected. Please select one.");
            ASSERT_TRUE(QTest::qWaitFor([&] { return keys->hasFocus(); }, 5000));
            QApplication::processEvents();
            EXPECT_EQ(entry->text(), "") << "nothing was chosen";
            seen = true;
        };
        walk();
        wizard.reject();
    });
    editor->DoQuickWiz(26);
    EXPECT_TRUE(seen) << ::testing::PrintToString(boxes);
}

}  // namespace
}  // namespace tessaro::testing
