// The shown quick wizard answered by held clicks and typed keys: what its pages let through
// is what Finish builds, in the wizard's own form of each command, and each page shows
// what it says.
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <filesystem>
#include <fstream>

#include "macro/macro_record.h"
#include "tests/editor/wizard/wizard_form_fixture.h"
#include "tests/editor/wizard/wizard_hand.h"

namespace tessaro {
namespace {

constexpr int kCtrlAltK = 154;

class QuickWizHand : public testing::WizardFormTest {
protected:
    std::string File(const std::string& name) {
        const std::string path = dir + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << "x";
        return path;
    }
    // Finish has stored the macro: its text, or what kept the wizard open.
    std::string Built(TQuickWiz& form) {
        if (!form.Outcome().Finished) return "not finished: " + LastText();
        return GetMacroText(rec);
    }
    static QString Q(const std::string& s) { return QString::fromStdString(s); }
};

using testing::Click;
using testing::ClickRow;
using testing::Find;
using testing::HotKeyTail;
using testing::Next;
using testing::TypeInto;
using testing::WalkTo;

TEST_F(QuickWizHand, LaunchingWritesTheShortLaunchForms) {
    const std::string tool = File("bin/tool");
    auto form = Open(4);
    ASSERT_TRUE(WalkTo(*form, 30));
    Click(*form, "P30LaunchAct");
    ASSERT_TRUE(WalkTo(*form, 32));
    Click(*form, "P32ProgPath");
    TypeInto(*form, "P32Path", Q(tool));
    ASSERT_TRUE(WalkTo(*form, 33));
    TypeInto(*form, "P33Title", "Tool");
    HotKeyTail(*form, kCtrlAltK, "Launcher");
    EXPECT_EQ(Built(*form), "<LAUNCHNO:01Tool<LAUNCH:" + tool + ">");

    const std::string letter = File("letter.txt");
    form = Open(4);
    ASSERT_TRUE(WalkTo(*form, 30));
    Click(*form, "P30OpenDoc");
    ASSERT_TRUE(WalkTo(*form, 34));
    TypeInto(*form, "P34Path", Q(letter));
    HotKeyTail(*form, kCtrlAltK, "Letter");
    EXPECT_EQ(Built(*form), "<LAUNCH:" + letter + ">");
}

TEST_F(QuickWizHand, AReminderTypedOnTwoLinesIsNamedOnOneAndDeletesItselfByThatName) {
    auto form = Open(10);
    ASSERT_TRUE(WalkTo(*form, 26));
    auto* memo = Find<QPlainTextEdit>(*form, "P26MyMemo");
    ASSERT_NE(memo, nullptr);
    memo->setFocus();
    QTest::keyClicks(memo, "Hi");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "there friend");
    Click(*form, "P26Delete");
    ASSERT_TRUE(WalkTo(*form, 3));
    ClickRow(*form, "P3KeyList", kCtrlAltK);
    ASSERT_TRUE(WalkTo(*form, 10));
    EXPECT_EQ(Find<QLineEdit>(*form, "P10Nick")->text(), "Hi there f");
    Next(*form);
    const std::string text = Built(*form);
    EXPECT_EQ(rec.Nickname.str(), "Hi there f");
    EXPECT_NE(text.find("<MACDEL:Hi there f>"), std::string::npos) << text;
    // The box still shows the reminder on its two lines.
    EXPECT_NE(text.find("Hi\r\nthere friend>"), std::string::npos) << text;
}

TEST_F(QuickWizHand, MovingTheTopmostWindowWritesFourDigitsEach) {
    auto form = Open(20);
    ASSERT_TRUE(WalkTo(*form, 35));
    Click(*form, "P35RepTop");
    ASSERT_TRUE(WalkTo(*form, 36));
    EXPECT_EQ(Find<QLabel>(*form, "P36Label1")->text(), "Top");
    TypeInto(*form, "P36Width", "20");
    TypeInto(*form, "P36Height", "10");
    HotKeyTail(*form, kCtrlAltK, "Mover");
    EXPECT_EQ(Built(*form), "<WPOS:0010,0020\"CURRENT\">");
}

TEST_F(QuickWizHand, ASizeItsPageAcceptsIsBuiltAtFinish) {
    auto form = Open(20);
    ASSERT_TRUE(WalkTo(*form, 35));
    Click(*form, "P35SizeChoice");
    ASSERT_TRUE(WalkTo(*form, 33));
    TypeInto(*form, "P33Title", "Notepad");
    ASSERT_TRUE(WalkTo(*form, 36));
    TypeInto(*form, "P36Width", "5");
    TypeInto(*form, "P36Height", "5");
    const size_t boxes = calls.size();
    HotKeyTail(*form, kCtrlAltK, "Sizer");
    EXPECT_EQ(calls.size(), boxes) << LastText();
    EXPECT_EQ(Built(*form), "<WSIZE:0005,0005Notepad>");
}

TEST_F(QuickWizHand, TheIconSizeIsOfferedOnlyForIcons) {
    AddMacro(1, 5);
    AddMacro(1, 6);
    auto form = Open(25);
    ASSERT_TRUE(WalkTo(*form, 50));
    ClickRow(*form, "P50Macros", 0);
    ASSERT_TRUE(WalkTo(*form, 51));
    auto* size = Find<QComboBox>(*form, "P51IconSize");
    auto* label = Find<QLabel>(*form, "P51IconSizeLabel");
    EXPECT_TRUE(Find<QRadioButton>(*form, "P51Text")->isChecked());
    EXPECT_FALSE(size->isEnabled());
    EXPECT_FALSE(label->isEnabled());
    Click(*form, "P51Icons");
    EXPECT_TRUE(size->isEnabled());
    EXPECT_TRUE(label->isEnabled());
    Click(*form, "P51Nick");
    EXPECT_FALSE(size->isEnabled());
    Click(*form, "P51Icons");
    Click(*form, "P51Text");
    EXPECT_FALSE(size->isEnabled());
    EXPECT_FALSE(label->isEnabled());
}

// Each row of a recipient box: the name left, the address right of a grey line down the
// middle, as the recipient list draws them.
void ExpectTwoColumns(QListWidget* box) {
    ASSERT_GE(box->count(), 1);
    const QRect row = box->visualItemRect(box->item(0));
    const QImage image = box->viewport()->grab().toImage();
    const int half = row.left() + row.width() / 2;
    int grey = 0;
    for (int y = row.top(); y < row.bottom(); ++y)
        if (image.pixelColor(half, y) == QColor(128, 128, 128)) ++grey;
    EXPECT_EQ(grey, row.height() - 1) << box->objectName().toStdString();
    auto inked = [&](int x0, int x1) {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            for (int y = row.top(); y < row.bottom() - 1; ++y) n += qGray(image.pixel(x, y)) < 100;
        return n;
    };
    EXPECT_GT(inked(row.left(), half - 1), 0) << "the name";
    EXPECT_GT(inked(half + 1, row.right()), 0) << "the address";
}

TEST_F(QuickWizHand, RecipientBoxesShowNameAndAddressInTwoColumns) {
    const std::string list = dir + "/TESMAIL.TXT";
    std::ofstream(list) << "Ann|ann@example.com\r\nBob Brown|bob@example.com\r\n";
    config->EMailPath = list;
    auto form = Open(29);
    ASSERT_TRUE(WalkTo(*form, 75));
    Click(*form, "P75cc");
    Click(*form, "P75Blind");
    ASSERT_TRUE(WalkTo(*form, 76));
    ExpectTwoColumns(Find<QListWidget>(*form, "P76AddressBox"));
    ClickRow(*form, "P76AddressBox", 1);
    ASSERT_TRUE(WalkTo(*form, 81));
    ExpectTwoColumns(Find<QListWidget>(*form, "P81AddressBox"));
    ASSERT_TRUE(WalkTo(*form, 82));
    ExpectTwoColumns(Find<QListWidget>(*form, "P82AddressBox"));
}

TEST_F(QuickWizHand, TheFormKeepsItsSizeAndStaysCentredFromPageToPage) {
    config->BypassWizardScreen = true;
    auto form = Open(1);
    const QSize size = form->size();
    const QRect screen = form->screen()->geometry();
    auto centred = [&] {
        const QPoint c = form->frameGeometry().center();
        return std::abs(c.x() - screen.center().x()) <= 1 && std::abs(c.y() - screen.center().y()) <= 1;
    };
    EXPECT_TRUE(centred()) << form->frameGeometry().x() << "," << form->frameGeometry().y() << " "
                           << form->frameGeometry().width() << "x" << form->frameGeometry().height() << " in "
                           << screen.width() << "x" << screen.height();
    TypeInto(*form, "P14MyMemo", "Hello");
    for (int page : {2, 3, 7, 10}) {
        ASSERT_TRUE(WalkTo(*form, page)) << LastText();
        if (page == 3) ClickRow(*form, "P3KeyList", kCtrlAltK);
        QApplication::processEvents();
        EXPECT_EQ(form->size(), size) << "page " << page;
        EXPECT_TRUE(centred()) << "page " << page;
    }
}

TEST_F(QuickWizHand, NoKeystrokeChosenIsRefusedWithTheErrorIcon) {
    config->BypassWizardScreen = true;
    auto form = Open(1);
    ASSERT_EQ(form->CurrentPage(), 14);
    Click(*form, "P14Keystrokes");
    Click(*form, "P14Ok");
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().text, "No keystroke selected.");
    EXPECT_EQ(calls.back().caption, "Error");
    EXPECT_EQ(calls.back().icon, win::MbIcon::Error);
}

}  // namespace
}  // namespace tessaro
