#include "editor/model/tools/text_import.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "platform/message_box.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

class Target : public MacroAppender {
public:
    int count = 0;
    std::vector<TMacroRecord> appended;
    std::string failWith;

    int MacroCount() const override { return count; }
    bool AppendMacro(TMacroRecord& rec) override {
        if (!failWith.empty()) {
            win::MessageBox(failWith, "Error");  // as the file layer reports it
            return false;
        }
        appended.push_back(rec);
        ++count;
        return true;
    }
};

struct ImportRun {
    std::vector<std::string> boxes;
    TextImportResult result;
};

// Answers every box with `answer` where the box offers it, else with OK.
ImportRun Import(const std::string& text, Target& target, win::MbResult answer = win::MbResult::Ok) {
    ImportRun run;
    win::ScopedMessageBoxHandler boxes([&](const win::MessageBoxCall& call) {
        EXPECT_EQ(call.caption, "Error");
        run.boxes.push_back(call.text);
        return call.buttons == win::MbButtons::OkCancel ? answer : win::MbResult::Ok;
    });
    std::istringstream in(text);
    run.result = ImportTextItems(in, target, 45000.0);
    return run;
}

TEST(TextImport, ItemsBecomeGlobalMacrosWithTheirBodiesLineBreaksKept) {
    Target target;
    const ImportRun run = Import("<ITEM NAME>brb\r\nBe right back\r\nBe right\r\nback.\r\n<ITEM NAME>" +
                                     HotKeyNames(5) + "\nSecond\nline",
                                 target);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(run.result.Imported, 2);
    ASSERT_EQ(target.appended.size(), 2u);
    const TMacroRecord& a = target.appended[0];
    EXPECT_EQ(a.Nickname.view(), "Be right back");
    EXPECT_EQ(Unpacked(a.ActivationCode), acAbbreviation);
    EXPECT_EQ(a.Abbreviation.view(), "brb");
    EXPECT_EQ(GetMacroText(a), "Be right\r\nback.");
    EXPECT_EQ(Unpacked(a.Scope), scGlobal);
    EXPECT_EQ(a.Enabled, 1);
    EXPECT_EQ(a.IconName.view(), "MAIN");
    EXPECT_EQ(Unpacked(a.ScheduleYear), 1998);
    EXPECT_EQ(a.MinutePastHour, 15);
    EXPECT_EQ(Unpacked(a.AbbrevCase), 3);
    EXPECT_EQ(Unpacked(a.AbbrevErase), 1);
    EXPECT_EQ(Unpacked(a.LastModified), 45000.0);
    const TMacroRecord& b = target.appended[1];
    EXPECT_EQ(Unpacked(b.ActivationCode), 5);
    EXPECT_EQ(b.Abbreviation.len, 0);
    EXPECT_EQ(GetMacroText(b), "line");
}

TEST(TextImport, HotKeyNamesMatchInAnyCase) {
    std::string lower = HotKeyNames(40);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const TextItemMacro m = MacroFromTextItem({lower, "n", "x"}, 0);
    EXPECT_EQ(Unpacked(m.Record.ActivationCode), 40);
    EXPECT_TRUE(m.Messages.empty());
}

TEST(TextImport, LongAndInvalidKeysAreCutAndReplacedAfterAMessage) {
    const TextItemMacro m = MacroFromTextItem({"ab cdefghijkl", "n", "x"}, 0);
    ASSERT_EQ(m.Messages.size(), 2u);
    EXPECT_EQ(m.Messages[0],
              "The Original Keys \"ab cdefghijkl\" is longer than the 10 character maximum. It will be "
              "truncated to "
              "10 characters.");
    EXPECT_NE(m.Messages[1].find("\"ab cdefghi\" has invalid characters in it."), std::string::npos);
    EXPECT_TRUE(m.Messages[1].ends_with("Invalid characters will be replaced with \"#\"."));
    EXPECT_EQ(m.Record.Abbreviation.view(), "ab#cdefghi");
    // Keys that name nothing and hold nothing would fire on every delimiter.
    EXPECT_EQ(Unpacked(MacroFromTextItem({"", "n", "x"}, 0).Record.ActivationCode), acNone);
}

TEST(TextImport, ABodyOverFiveThousandIsCutAfterOneMessage) {
    for (const std::string& body :
         {std::string(6000, 'y'), std::string(3000, 'y') + "\r\n" + std::string(3000, 'y')}) {
        Target target;
        std::string file = "<ITEM NAME>big\r\nBig\r\n" + body + "\r\n";
        const ImportRun run = Import(file, target);
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_EQ(run.boxes[0],
                  "The size of the macro contents \"" + std::string(51, 'y') +
                      "...\" exceeds the 5000 character limit.  The macro contents keys will be "
                      "truncated to 5000 characters." +
                      kTextImportStopHint);
        ASSERT_EQ(target.appended.size(), 1u);
        EXPECT_EQ(GetMacroText(target.appended[0]), body.substr(0, 5000));
    }
}

TEST(TextImport, AFileNotStartingWithAnItemImportsNothing) {
    Target target;
    const ImportRun run = Import("hello\r\n<ITEM NAME>x\r\nn\r\nbody\r\n", target);
    EXPECT_TRUE(run.result.WrongFormat);
    EXPECT_TRUE(target.appended.empty());
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0],
              "The text file chosen does not appear to have the correct format required by Snipra.");
    EXPECT_TRUE(Import("", target).result.WrongFormat);
}

TEST(TextImport, StopsAtTheMaximumAndAtAFailedAppendKeepingWhatWasStored) {
    Target full;
    full.count = 499;
    const ImportRun run =
        Import("<ITEM NAME>a\r\nA\r\n1\r\n<ITEM NAME>b\r\nB\r\n2\r\n<ITEM NAME>c\r\nC\r\n3", full);
    EXPECT_EQ(full.appended.size(), 1u);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0], "Maximum number of Macros has been reached.  Add not allowed.");

    Target failing;
    failing.failWith = "Saving of keystrokes failed.";
    const ImportRun failed = Import("<ITEM NAME>a\r\nA\r\n1\r\n<ITEM NAME>b\r\nB\r\n2", failing);
    EXPECT_EQ(failed.result.Imported, 0);
    EXPECT_EQ(failed.boxes, (std::vector<std::string>{"Saving of keystrokes failed."}));
}

TEST(TextImport, CancelAtTheFirstOfManyBadItemsEndsTheImportKeepingWhatWasStored) {
    std::string file = "<ITEM NAME>ok\r\nGood\r\nfine\r\n";
    for (int i = 0; i < 300; ++i) file += "<ITEM NAME>bad key no " + std::to_string(i) + "\r\nBad\r\nx\r\n";
    Target target;
    const ImportRun stopped = Import(file, target, win::MbResult::Cancel);
    EXPECT_TRUE(stopped.result.Stopped);
    ASSERT_EQ(stopped.boxes.size(), 1u);
    EXPECT_TRUE(stopped.boxes[0].starts_with("The Original Keys \"bad key no 0\" is longer than"));
    EXPECT_TRUE(stopped.boxes[0].ends_with(kTextImportStopHint));
    ASSERT_EQ(target.appended.size(), 1u);  // the good item before it stays; the bad one is not stored
    EXPECT_EQ(target.appended[0].Nickname.view(), "Good");

    // OK goes on through every box: two per item, all items stored.
    Target all;
    const ImportRun through = Import(file, all);
    EXPECT_FALSE(through.result.Stopped);
    EXPECT_EQ(through.boxes.size(), 600u);
    EXPECT_EQ(all.appended.size(), 301u);
}

TEST(TextImport, AHugeLineCostsNoMemory) {
    // 64 MB in one body line: read and dropped past the buffer, the macro cut to 5,000.
    std::string file = "<ITEM NAME>h\r\nH\r\n";
    file.append(64u << 20, 'z');
    Target target;
    const ImportRun run = Import(file, target);
    ASSERT_EQ(target.appended.size(), 1u);
    EXPECT_EQ(GetMacroText(target.appended[0]).size(), 5000u);
    EXPECT_EQ(run.boxes.size(), 1u);
}

}  // namespace
}  // namespace tessaro
