// Every entry the finished macro would refuse is refused on the Next of its own page, with
// the focus on that entry on the page in sight, and keys typed after the box land there.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/editor/wizard/wizard_form_fixture.h"
#include "tests/editor/wizard/walk_files.h"
#include "tests/editor/wizard/wizard_walk.h"

namespace tessaro {
namespace {

using Choice = std::pair<int, const char*>;  // page, button clicked there

struct Refusal {
    int function;
    std::vector<Choice> choices;  // on the way to the page
    int page;
    const char* field;
    std::string bad;   // typed into the field; "@" stands for the test's folder
    std::string good;  // what mends it
    std::vector<std::pair<const char*, std::string>> others{};  // the page's other entries
};

class PageRefusals : public testing::WizardFormTest {
protected:
    void SetUp() override {
        WizardFormTest::SetUp();
        places = testing::MakeWalkPlaces(dir);
        // Files and a folder whose names hold the character that ends a token.
        std::filesystem::create_directories(dir + "/a>b");
        for (const char* f : {"/a>b.txt", "/a>b.bmp", "/a>b.avi", "/a>b.wav", "/t>ol"})
            std::ofstream(dir + f) << "x";
    }
    QString Expand(const std::string& text) const {
        std::string s = text;
        for (auto at = s.find('@'); at != std::string::npos; at = s.find('@', at + dir.size()))
            s.replace(at, 1, dir);
        return QString::fromStdString(s);
    }
    static void Choose(TQuickWiz& form, const std::vector<Choice>& choices, int page) {
        for (const Choice& c : choices)
            if (c.first == page) testing::Click(form, c.second);
    }
    // Walks to the refusal's page answering every page before it as the walk does.
    bool WalkTo(TQuickWiz& form, const Refusal& r) {
        for (int steps = 0; steps < 40 && form.CurrentPage() != r.page; ++steps) {
            Choose(form, r.choices, form.CurrentPage());
            testing::AnswerPage(form, form.CurrentPage(), places);
            const int before = form.CurrentIndex();
            testing::Next(form);
            if (form.CurrentIndex() == before) return false;
        }
        return form.CurrentPage() == r.page;
    }
    static QString TextOf(QWidget* w) {
        if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
        if (auto* m = qobject_cast<QPlainTextEdit*>(w)) return m->toPlainText();
        return {};
    }

    testing::WalkPlaces places;
};

TEST_F(PageRefusals, EachEntryIsRefusedOnItsOwnPageWithTheFocusOnIt) {
    AddMacro(1, 5);
    config->MacroNicknames[1] = "Taken";
    desktop.AddWindow("Target", 4242, "target");
    const std::vector<Refusal> cases = {
        {5, {}, 22, "P22URL", "www.a>b.org", "www.ab.org"},
        {5, {{21, "P21FTP"}}, 22, "P22URL", "ftp.a>b.org", "ftp.ab.org"},
        {2, {{13, "P13File"}}, 12, "P12Path", "@/a>b.txt", "@/note.txt"},
        {4, {{31, "P31Yes"}}, 31, "P31Path", "@/a>b", "@"},
        {4, {{30, "P30LaunchAct"}}, 32, "P32Path", "@/t>ol", "@/tool"},
        {4, {{30, "P30LaunchAct"}}, 33, "P33Title", "T>t", "Tt"},
        {4, {{30, "P30OpenDoc"}}, 34, "P34Path", "@/a>b.txt", "@/letter.txt"},
        {8, {}, 6, "P6ProgPath", "//server/a>b", "//server/ab"},
        {8, {{29, "P29UseDefault"}}, 29, "P29LogName", "me>", "me", {{"P29LogPass", "pw"}}},
        {8, {{29, "P29UseDefault"}}, 29, "P29LogPass", "pW", "pw", {{"P29LogName", "me"}}},
        {10, {{26, "P26Wave"}}, 26, "P26ProgPath", "@/a>b.wav", "@/bell.wav"},
        {10, {{26, "P26Delete"}}, 10, "P10Nick", "taken", "Fresh"},
        {11, {{48, "P48ChangeDir"}}, 49, "P49Path", "@/a>b", "@"},
        {11, {{48, "P48CopyFile"}}, 49, "P49NewName", "@/c>d.txt", "@/cd.txt", {{"P49Path", "@/note.txt"}}},
        {11, {{48, "P48DeleteFile"}}, 49, "P49Path", "@/a>b.txt", "@/note.txt"},
        {16, {}, 24, "P24Path", "@/a>b.avi", "@/clip.avi"},
        {17, {}, 46, "P46FName", "@/a>b.wav", "@/bell.wav"},
        {19, {}, 23, "P23Bit", "@/a>b.bmp", "@/sky.bmp"},
        {20, {{35, "P35RepChoice"}}, 33, "P33Title", "T>t", "Tt"},
        {21, {{39, "P39Choice"}}, 40, "P40Title", "T>t", "Tt"},
        {22, {{25, "P25Folder"}}, 25, "P25Path", "@/a>b", "@"},
        {28, {}, 74, "P74Port", "port", "25"},
        {29, {}, 76, "P76Address", "a;b@example.com", "ab@example.com"},
        {29, {}, 76, "P76Person", "A|B", "AB", {{"P76Address", "ab@example.com"}}},
        {29, {{75, "P75cc"}}, 81, "P81Address", "c;d@example.com", "cd@example.com"},
        {29, {{75, "P75Blind"}}, 82, "P82Person", "C;D", "CD", {{"P82Address", "cd@example.com"}}},
    };
    for (const Refusal& r : cases) {
        SCOPED_TRACE("function " + std::to_string(r.function) + ", " + r.field);
        auto form = Open(r.function);
        QApplication::setActiveWindow(form.get());
        if (!WalkTo(*form, r)) {
            ADD_FAILURE() << "page not reached: " << LastText();
            continue;
        }
        Choose(*form, r.choices, r.page);
        testing::AnswerPage(*form, r.page, places);
        for (const auto& [other, text] : r.others) testing::TypeInto(*form, other, Expand(text));
        testing::TypeInto(*form, r.field, Expand(r.bad));
        calls.clear();
        testing::Next(*form);
        if (form->CurrentPage() != r.page || calls.size() != 1u) {
            ADD_FAILURE() << "not refused; now on page " << form->CurrentPage() << ", boxes " << calls.size();
            continue;
        }
        EXPECT_EQ(calls[0].caption, "Error");
        EXPECT_FALSE(calls[0].text.empty());

        QWidget* field = form->Control<QWidget>(r.field);
        QApplication::processEvents();
        EXPECT_TRUE(field->isVisible());
        EXPECT_TRUE(field->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), field)
            << calls[0].text << " / focus on "
            << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                            : "nothing");
        // Keys typed after the box reach the entry.
        if (auto* e = qobject_cast<QLineEdit*>(field)) e->end(false);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z);
        EXPECT_TRUE(TextOf(field).endsWith('z')) << TextOf(field).toStdString();

        testing::TypeInto(*form, r.field, Expand(r.good));
        calls.clear();
        const int before = form->CurrentIndex();
        testing::Next(*form);
        EXPECT_TRUE(!form->isVisible() || form->CurrentIndex() != before) << LastText();
        form->reject();
    }
}

// The capture's window list starts with nothing chosen: Next says so until a title is picked.
TEST_F(PageRefusals, TheCaptureWindowListStartsWithNothingChosen) {
    desktop.AddWindow("Editor", 4242, "editor");
    desktop.AddWindow("Notes", 4243, "notes");
    auto form = Open(7);
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(WalkTo(*form, {7, {}, 62, "P62ProgList", "", ""})) << LastText();
    auto* list = form->Control<QListWidget>("P62ProgList");
    ASSERT_GT(list->count(), 0);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    calls.clear();
    testing::Next(*form);
    EXPECT_EQ(form->CurrentPage(), 62);
    EXPECT_EQ(LastText(), "No window title has been selected.");
    EXPECT_EQ(QApplication::focusWidget(), list);
    testing::ClickRow(*form, "P62ProgList", 0);
    testing::Next(*form);
    EXPECT_NE(form->CurrentPage(), 62) << LastText();
}

// The report that came with the fault: an address typed with ">", the page left, then Finish.
TEST_F(PageRefusals, AWebAddressThatCannotBeStoredKeepsItsPage) {
    auto form = Open(5);
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(testing::WalkTo(*form, 22));
    testing::TypeInto(*form, "P22URL", "www.a>b.org");
    testing::Next(*form);
    EXPECT_EQ(form->CurrentPage(), 22);
    EXPECT_EQ(LastText(), "The character \">\" cannot be used in this entry.  Please correct.");
    EXPECT_EQ(QApplication::focusWidget(), form->Control<QWidget>("P22URL"));
}

}  // namespace
}  // namespace tessaro
