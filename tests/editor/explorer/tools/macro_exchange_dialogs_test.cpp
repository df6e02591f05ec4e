#include "editor/explorer/tools/macro_exchange_dialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <deque>
#include <sys/stat.h>
#include <fstream>
#include <sstream>

#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"
#include "tests/support/finishes_in_time.h"
#include "tests/support/qt_app.h"
#include "tests/support/scripted_file_chooser.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

TMacroRecord Macro(const std::string& name, int activation, int scope) {
    TMacroRecord m{};
    m.Nickname.assign(name);
    m.ActivationCode = static_cast<std::uint16_t>(activation);
    m.Scope = static_cast<std::uint16_t>(scope);
    m.IconName.assign("MAIN");
    m.Enabled = 1;
    return m;
}

class Target : public MacroAppender {
public:
    std::string file;
    int MacroCount() const override { return CountMacroRecords(file); }
    bool AppendMacro(TMacroRecord& rec) override { return WriteMacroRecordAt(file, -1, rec).ok(); }
};

struct ExchangeFixture : ::testing::Test {
    testing::TempDir dir;
    std::string file = dir.file("work.QTM");
    testing::ScriptedFileChooser answers;
    std::vector<std::string> boxes;
    win::MbResult answer = win::MbResult::Yes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        boxes.push_back(call.caption + ": " + call.text);
        return call.buttons == win::MbButtons::YesNo ? answer : win::MbResult::Ok;
    }};

    ExchangeFixture() {
        EnsureQtApplication();
        CreateEmptyMacroFile(file);
    }
    void Add(const TMacroRecord& m) { ASSERT_TRUE(WriteMacroRecordAt(file, -1, m).ok()); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(ExchangeFixture, OutputWritesTheListingAndNeverOverTheMacroFile) {
    const std::vector<TMacroRecord> shown = {Macro("a", 3, scGlobal)};
    const auto sched = [](const TMacroRecord&) { return std::string("never"); };
    {
        TDoOutput dlg(nullptr, shown, sched, file);
        for (QCheckBox* c :
             {dlg.MacroKeys, dlg.MacroName, dlg.MacroWindow, dlg.MacroText, dlg.MacroSched, dlg.MacroIcon})
            c->setChecked(false);
        dlg.OkButtonClick();
        EXPECT_EQ(boxes,
                  std::vector<std::string>{"Error: Nothing has been checked for printing.  Please Correct."});
        EXPECT_TRUE(answers.asked.empty());
    }
    TDoOutput dlg(nullptr, shown, sched, file);
    answers.answers = {dir.file("list.txt")};
    dlg.OkButtonClick();
    EXPECT_EQ(answers.asked.back().title, "Write Hot Key Definitions to File");
    EXPECT_EQ(Read(dir.file("list.txt")), MacroListing(shown, ListingChoice{}, sched));

    const std::string before = Read(file);
    TDoOutput again(nullptr, shown, sched, file);
    answers.answers = {file};
    again.OkButtonClick();
    EXPECT_EQ(Read(file), before);
    EXPECT_NE(boxes.back().find("cannot be written over"), std::string::npos);
}

TEST_F(ExchangeFixture, ExportListsAllButSystemMacrosAndWritesTheSelection) {
    Add(Macro("sys", 4, scSystem));
    Add(Macro("a", 3, scGlobal));
    Add(Macro("b", acScheduled, scWindow));
    TMyExport dlg(nullptr, file);
    ASSERT_EQ(dlg.ListBox1->count(), 2);
    dlg.SaveFileClick();
    EXPECT_EQ(boxes, std::vector<std::string>{"Error: No Hot Key Macros have been selected for exporting."});
    dlg.ListBox1->item(1)->setSelected(true);
    answers.answers = {dir.file("out.QTM")};
    dlg.SaveFileClick();
    EXPECT_EQ(boxes.back(), "ok: Export Complete");
    std::vector<TMacroRecord> out;
    ASSERT_TRUE(ReadMacroRecords(dir.file("out.QTM"), 10, out).ok());
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].Nickname.view(), "b");
}

TEST_F(ExchangeFixture, ImportWarnsOfTakenKeysAsksAndAppends) {
    const std::string source = dir.file("other.qtm");
    CreateEmptyMacroFile(source);
    for (const TMacroRecord& m : {Macro("clash", 3, scGlobal), Macro("free", 4, scGlobal)})
        ASSERT_TRUE(WriteMacroRecordAt(source, -1, m).ok());
    Add(Macro("mine", 3, scGlobal));
    Target target;
    target.file = file;

    answer = win::MbResult::No;
    {
        TMyImport dlg(nullptr, target, {3});
        EXPECT_FALSE(dlg.Ok->isEnabled());
        dlg.OpenFile(source);
        ASSERT_EQ(dlg.ListBox1->count(), 2);
        dlg.ListBox1->item(0)->setSelected(true);
        dlg.ListBox1->item(1)->setSelected(true);
        dlg.OkClick();
        EXPECT_FALSE(dlg.ListBox1->item(0)->isSelected());  // stays deselected after No
        EXPECT_EQ(CountMacroRecords(file), 1);
    }
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Warning: A Global Hot Key for " + HotKeyNames(3) +
                            " already exists.  This macro will not be imported.");

    answer = win::MbResult::Yes;
    TMyImport dlg(nullptr, target, {3});
    dlg.OpenFile(source);
    dlg.ListBox1->item(0)->setSelected(true);
    dlg.ListBox1->item(1)->setSelected(true);
    dlg.OkClick();
    EXPECT_EQ(dlg.Imported, 1);
    TMacroRecord added{};
    ASSERT_TRUE(ReadMacroRecordAt(file, 2, added).ok());
    EXPECT_EQ(added.Nickname.view(), "free");

    boxes.clear();
    dlg.OpenFile(dir.file("x.txt"));
    EXPECT_EQ(boxes, std::vector<std::string>{
                         "Error: Improper file type selected.  Please choose a different file."});
}

TEST_F(ExchangeFixture, AFifoPickedAsTheImportFileIsRefusedWithoutWaiting) {
    const std::string fifo = dir.file("pipe.qtm");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Target target;
    target.file = file;
    answers.answers.push_back(fifo);
    // Run apart: a reader that waits for a writer would hang the test instead of failing it.
    const int code = testing::ExitCodeWithin(
        [&] {
            TMyImport dlg(nullptr, target, {});
            dlg.OpenFileClick();
            return boxes == std::vector<std::string>{"Error: Unable to open import file."} &&
                           dlg.ListBox1->count() == 0 && !dlg.Ok->isEnabled()
                       ? 0
                       : 1;
        },
        std::chrono::seconds(10));
    EXPECT_EQ(code, 0);
    struct stat st {};
    ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

}  // namespace
}  // namespace tessaro
