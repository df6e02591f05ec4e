#include "player/engine/macro_player.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

#include "foundation/pell_encryption.h"
#include "interpreter_doubles.h"
#include "tests/support/finishes_in_time.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::Rig;

struct PlayCase {
    const char* text;
    const char* typed;
};

// Each row: a macro text and what reaches the keyboard.
TEST(MacroPlayerScan, TypesTextKeysAndCountersAsTheLanguageSays) {
    const PlayCase cases[] = {
        {"a<b", "a<b"},
        {"<DELAY:1.5>", "<DELAY:1.5>"},  // '>' not at its fixed place: plain text
        {"<F10>", "[K121]"},
        {"<F1>0>", "[K112]0>"},
        {"x\r\ny", "x\ry"},
        {"x\ry", "x\ry"},
        {"x\ny", "x[D17]\r[U17]y"},  // LF is Ctrl+Enter on the layout
        {"<TAB><ENTER><KEYP+><PA1>", "\t\r[K107][K253]"},
        {"<CTLD>c<CTLU>", "[D17]c[U17]"},
        {"<SHIFT><ALT><RIGHT MOUSE>", "[K16][K18][K2]"},
        {"<ALT>", "[K18]"},
        {"\xE9!", "[A0233]!"},
        {"<ALT:065><ALT4:0233>", "[A065][A0233]"},
        {"<TEST>t<ENDREP><ENDCLIP>", "t"},
        {"<REM:note>x", "x"},
        {"<IIII>", "0001"},
        {"<III>|<II>|<I>", "001|01|1"},
        {"<REPEAT:0002>a<REPEAT:0002>b<ENDREP>c<ENDREP>", "abbcabbc"},
        {"<REP:0003:000005:000010><III><ENDREP>", "005015025"},
        {"<REPEAT:0000>x<ENDREP>y", "y"},
        {"<REP:0001:012345:000001><III><ENDREP>", "12345"},
        {"<REP:0002:070000:100000><I>,<ENDREP>", "70000,170000,"},
        {"<REP:0002:000001:000001><REPEAT:0002><I><ENDREP><ENDREP>", "1212"},
        {"<PROMPTREP>z<ENDREP>", ""},  // the prompt double answers 0
        {"<LCLK><RDCLK><MDN>", "[M2][M4][M8][M16][M8][M16][M32]"},
        {"<WFW:003><WBW:001>", "[W360][W-120]"},
    };
    for (const auto& c : cases) {
        Rig rig;
        EXPECT_EQ(rig.Play(c.text), c.typed) << c.text;
        EXPECT_TRUE(rig.windows.messages.empty()) << c.text;
    }
}

TEST(MacroPlayerScan, MouseMovesReachTheScreen) {
    Rig rig;
    rig.Play("<MMS:00100,00200>");
    EXPECT_EQ(rig.input.cursor, (win::Point{100, 200}));
    rig.Play("<MMP:-0010,00000>");
    EXPECT_EQ(rig.input.cursor, (win::Point{90, 200}));
}

TEST(MacroPlayerScan, CountersCountPassesOfTheirOwnCallAndKeepFullWidth) {
    Rig rig;
    rig.player.BeginMacro(false);
    rig.player.DoMacro("<I>,", 3, 70000, 100000, false);
    EXPECT_EQ(testing::Typed(rig.input.log), "70000,170000,270000,");

    Rig wide;  // a body longer than any macro record still plays whole
    std::string body(12000, 'q');
    EXPECT_EQ(wide.Play("<REPEAT:0002>" + body + "<ENDREP>"), body + body);
}

TEST(MacroPlayerRepeat, MissingEndRepeatReportsAndAbortsTheCallersMacro) {
    Rig rig;
    rig.macros.Add("inner", "<REP:0003:000005:000010>abc");
    EXPECT_EQ(rig.Play("<MACRUN:inner>after"), "");
    ASSERT_EQ(rig.windows.messages.size(), 2u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Repeat Error");
    EXPECT_EQ(rig.windows.messages[0].text,
              "No \"End Repeat\" that matches the initial repeat specified in the macro. "
              "Macro will abort.");
    EXPECT_EQ(rig.windows.messages[1].caption, "Macro Abort");
    EXPECT_TRUE(rig.player.Aborted());
}

TEST(MacroPlayerAbort, AbortRequestStopsBeforeTheNextStepAndIsReportedOnce) {
    Rig rig;
    rig.macros.Add("deep", "<REPEAT:0005>abc<ENDREP>");
    rig.clock.onPump = [&](int pumps) {
        if (pumps == 4) rig.player.RequestAbort();
    };
    EXPECT_EQ(rig.Play("<MACRUN:deep>tail"), "abca");
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Macro Abort");
    EXPECT_EQ(rig.windows.messages[0].text, "Tessaro 99 macro has been aborted.");
}

TEST(MacroPlayerAbort, FailedActivateEndsTheWholeMacroEvenInsideARepeat) {
    Rig rig;
    EXPECT_EQ(rig.Play("<REPEAT:0002>a<ACTIVATE:Nowhere>b<ENDREP>c"), "a");
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Activate Command Failed");
    EXPECT_EQ(rig.windows.messages[0].text,
              "Specified window title of \"Nowhere\" could not be found on your computer. "
              "Macro will abort.");

    Rig found;
    found.desktop.windows = {"Untitled - Notes"};
    EXPECT_EQ(found.Play("<ACTIVATE:Notes>ok"), "ok");
}

TEST(MacroPlayerAbort, CapsLockComesBackAtNormalEndAndAfterAPauseAbortOnly) {
    Rig normal;
    EXPECT_EQ(normal.Play("ab", true), "ab[K20]");

    Rig nested;
    nested.windows.pauseAnswers = {false};
    EXPECT_EQ(nested.Play("<REPEAT:0003>x<PAUSE>y<ENDREP>z", true), "x[K20]");
    EXPECT_TRUE(nested.windows.messages.empty());

    Rig resumed;
    EXPECT_EQ(resumed.Play("a<PAUSE>b"), "ab");

    Rig aborted;
    aborted.player.BeginMacro(true);
    aborted.player.RequestAbort();
    aborted.player.DoMacro("ab", 1, 1, 1, true);
    EXPECT_TRUE(aborted.input.log.empty());
}

TEST(MacroPlayerPause, WindowIsPlacedAndKeptOnTheScreen) {
    Rig rig;
    rig.Play("<PAUSE><PAUSE:900,900hello><PAUSE:010,020>");
    ASSERT_EQ(rig.windows.pauses.size(), 3u);
    EXPECT_EQ(rig.windows.pauses[0].top, (600 - 94) / 2);
    EXPECT_EQ(rig.windows.pauses[0].left, (800 - 224) / 2);
    EXPECT_EQ(rig.windows.pauses[1].top, 600 - 94 - 19);
    EXPECT_EQ(rig.windows.pauses[1].left, 800 - 224);
    EXPECT_EQ(rig.windows.pauses[1].text, "hello");
    EXPECT_EQ(rig.windows.pauses[2].top, 10);
    EXPECT_EQ(rig.windows.pauses[2].left, 20);
}

TEST(MacroPlayerNested, MacroRunPicksTheFirstExactNicknameAndIsBounded) {
    Rig rig;
    for (auto [n, t] : {std::pair{"Other", "no"}, {"greet", "hi"}, {"greet", "second"}, {"Greet", "case"}})
        rig.macros.Add(n, t);
    EXPECT_EQ(rig.Play("<MACRUN:greet>!<MACRUN:nobody>."), "hi!.");

    Rig loop;
    loop.macros.Add("loop", "x<MACRUN:loop>");
    const std::string typed = loop.Play("<MACRUN:loop>after");
    EXPECT_EQ(typed, std::string(kMaxMacroRunDepth, 'x'));
    ASSERT_EQ(loop.windows.messages.size(), 1u);
    EXPECT_EQ(loop.windows.messages[0].caption, "Macro Run Error");
    EXPECT_TRUE(loop.player.Aborted());
}

TEST(MacroPlayerNested, TextsThatNestWithoutEndAreStopped) {
    testing::TempDir dir;
    const std::string self = dir.file("self.txt");
    const std::string text = "s<TFILE:" + self + ">";
    testing::WriteBytes(self, {text.begin(), text.end()});
    Rig rig;
    EXPECT_EQ(rig.Play("<TFILE:" + self + ">after"), std::string(kMaxNestingDepth - 1, 's'));
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Macro Nesting Error");
    EXPECT_TRUE(rig.player.Aborted());

    std::string deep;
    for (int i = 0; i < kMaxNestingDepth; ++i) deep += "<REPEAT:0001>";
    deep += "x";
    for (int i = 0; i < kMaxNestingDepth; ++i) deep += "<ENDREP>";
    Rig repeats;
    EXPECT_EQ(repeats.Play(deep), "");
    ASSERT_EQ(repeats.windows.messages.size(), 1u);
    EXPECT_EQ(repeats.windows.messages[0].caption, "Macro Nesting Error");

    Rig device;  // a device file would never end: skipped like a missing one
    EXPECT_EQ(device.Play("<TFILE:/dev/zero>ok"), "ok");
}

TEST(MacroPlayerNested, TextFilesAndEncryptedTextPlayTheirContent) {
    testing::TempDir dir;
    testing::WriteBytes(dir.file("t.txt"), {'o', 'k', '<', 'T', 'A', 'B', '>', '\x1a'});
    Rig rig;
    EXPECT_EQ(rig.Play("<TFILE:" + dir.file("t.txt") + "><TFILE:" + dir.file("none") + ">."), "ok\t.");

    Rig enc;
    const std::string cipher = PellEncrypt("s3cret<ENTER>", kMacroTextKey, 77);
    EXPECT_EQ(enc.Play("<ETEXT:" + cipher + ">"), "s3cret\r");
    Rig bad;
    EXPECT_EQ(bad.Play("<ETEXT:zz>x"), "x");
    ASSERT_EQ(bad.windows.messages.size(), 1u);
    EXPECT_EQ(bad.windows.messages[0].caption, "Error");
}

TEST(MacroPlayerClipboard, ClipboardTextMayHoldKeysButNoCommandsBeyondTheKeyboard) {
    Rig rig;
    rig.macros.Add("victim", "boom");
    rig.clipboard.text =
        "hi<TAB><MACDEL:victim><MACRUN:victim><TFILE:/etc/hostname>"
        "<CLIPTYPE><LAUNCH:xterm><REPEAT:0002>r<ENDREP>";
    EXPECT_EQ(rig.Play("<CLIPTYPE>"),
              "hi\t<MACDEL:victim><MACRUN:victim><TFILE:/etc/hostname><CLIPTYPE>"
              "<LAUNCH:xterm>rr");
    EXPECT_EQ(rig.macros.macros.size(), 1u);
    EXPECT_TRUE(rig.macros.log.empty());
    EXPECT_TRUE(rig.windows.messages.empty());

    Rig inline_;
    inline_.clipboard.text = "one\r\ntwo\n";
    EXPECT_EQ(inline_.Play("<CLIPTYPEI>|<CLIPTYPE>"), "onetwo|one\rtwo[D17]\r[U17]");
}

TEST(MacroPlayerClipboard, BeginClipPutsTextLiterallyAndNothingWithoutItsEnd) {
    Rig rig;
    EXPECT_EQ(rig.Play("<BEGCLIP>q<TAB>r<ENDCLIP>s"), "s");
    EXPECT_EQ(rig.clipboard.text, "q<TAB>r");

    Rig open;
    open.clipboard.text = "kept";
    EXPECT_EQ(open.Play("a<BEGCLIP>xyz"), "a");
    EXPECT_EQ(open.clipboard.text, "kept");
}

// FIFOs for the clipboard's files: the text is not written into a pipe, a picture is not
// read from one; either would hang the player without a reader or writer at the other end.
TEST(MacroPlayerClipboard, FifosAreNeitherWrittenNorRead) {
    testing::TempDir dir;
    const std::string text = dir.file("text.txt"), picture = dir.file("picture.bmp");
    ASSERT_EQ(::mkfifo(text.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(picture.c_str(), 0600), 0);
    const int reader = ::open(text.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    Rig rig;
    rig.clipboard.text = "kept";
    rig.Play("<CLIPST:" + text + "><CLIPAT:" + text + ">");
    char c;
    EXPECT_LE(::read(reader, &c, 1), 0) << "nothing went into the pipe";
    ::close(reader);
    const int code = testing::ExitCodeWithin(
        [&] {
            Rig load;
            load.Play("<CLIPB:" + picture + ">");
            return load.windows.messages.size() == 1 ? 0 : 1;
        },
        std::chrono::seconds(10));
    EXPECT_EQ(code, 0) << "-1: the player hung reading the FIFO";
}

TEST(MacroPlayerClipboard, CopyPasteKeysAndTextFiles) {
    testing::TempDir dir;
    Rig rig;
    EXPECT_EQ(rig.Play("<CLIPC><CLIPP>"), "[D17]c[U17][D17]v[U17]");

    testing::WriteBytes(dir.file("in.txt"), {'l', 'i', 'n', 'e', '\x1a'});
    rig.Play("<CLIPF:" + dir.file("in.txt") + "><CLIPST:" + dir.file("out.txt") + ">");
    EXPECT_EQ(rig.clipboard.text, "line");
    rig.Play("<CLIPAT:" + dir.file("out.txt") + ">");
    const auto bytes = testing::ReadBytes(dir.file("out.txt"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "line\r\nline\r\n");

    Rig empty;
    empty.Play("<CLIPST:" + dir.file("never.txt") + ">");
    ASSERT_EQ(empty.windows.messages.size(), 1u);
    EXPECT_EQ(empty.windows.messages[0].text,
              "There is no text in the clipboard.  Saving clipboard text to a file will abort.");
    EXPECT_TRUE(testing::ReadBytes(dir.file("never.txt")).empty());

    Rig prompt;
    prompt.clipboard.text = "p";
    prompt.Play("<CLIPAT::PROMPT:>");  // cancelled dialog: nothing written, no message
    EXPECT_EQ(prompt.windows.promptTitles, std::vector<std::string>{"Append Clipboard Text To File"});
    EXPECT_TRUE(prompt.windows.messages.empty());
}

TEST(MacroPlayerTiming, DelaysScaleWithSpeedButTimerWaitsDoNot) {
    Rig rig;
    rig.player.BeginMacro(false);
    const auto elapsed = [&](std::string_view text) {
        const auto before = rig.clock.now;
        rig.player.DoMacro(text, 1, 1, 1, false);
        return rig.clock.now - before;
    };
    EXPECT_EQ(elapsed("<DELAY:00.50>"), 500);
    EXPECT_EQ(elapsed("<MSD:0250>"), 250);
    EXPECT_EQ(elapsed("<MSD:12.5>"), 12);  // whole milliseconds, as the editor saves it
    EXPECT_EQ(elapsed("<SPEED:002.0><TDELAY:.5>"), 1000);
    EXPECT_EQ(elapsed("<DELAY:00001>"), 2000);
    EXPECT_EQ(elapsed("<SPEED:abcde><MSD:0100>"), 200);  // unreadable speed leaves it
    EXPECT_EQ(elapsed("<SPEED:00000><DELAY:00009><TDELAY:09><MSD:9999>"), 0);
    EXPECT_EQ(elapsed("<WAITTIME:00000002>"), 2000);
    EXPECT_EQ(elapsed("<SPEED:001.0><SPKEY:0050><SPMSE:0007>ab<LCLK>"), 107);
}

TEST(MacroPlayerTiming, LongestTimerWaitStillWaitsUntilAborted) {
    Rig rig;
    rig.clock.onPump = [&](int pumps) {
        if (pumps == 7000) rig.player.RequestAbort();  // about 140 s of 20 ms turns
    };
    const auto before = rig.clock.now;
    EXPECT_EQ(rig.Play("<TDELAY:99><WAITTIME:99999999>x"), "");
    // the delay ran whole and the longest timer wait kept waiting until the abort
    EXPECT_GE(rig.clock.now - before, 130'000);
    EXPECT_TRUE(rig.player.Aborted());
}

TEST(MacroPlayerTiming, LongTimerWaitsEndOnAbort) {
    Rig rig;
    rig.clock.onPump = [&](int pumps) {
        if (pumps == 3) rig.player.RequestAbort();
    };
    const auto before = rig.clock.now;
    EXPECT_EQ(rig.Play("<WAITTIME:99999999>x"), "");
    EXPECT_LT(rig.clock.now - before, 1000);
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Macro Abort");
}

TEST(MacroPlayerFamilies, UnregisteredFamiliesAreReportedAndEndTheMacro) {
    Rig rig;
    EXPECT_EQ(rig.Play("a<LAUNCH:prog<PARAM>x>b"), "a");
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Command Not Available");
    EXPECT_NE(rig.windows.messages[0].text.find("\"<LAUNCH:\""), std::string::npos);
}

TEST(MacroPlayerFamilies, RegisteredFamiliesGetTheWholeTokenAndMayEndTheMacro) {
    Rig rig;
    std::vector<std::string> seen;
    rig.families.Register(CommandFamilyId::ProgramsWindowsSystem,
                          std::make_unique<testing::RecordingFamily>(seen, CommandOutcome::Done));
    rig.families.Register(CommandFamilyId::EMail,
                          std::make_unique<testing::RecordingFamily>(seen, CommandOutcome::EndMacro));
    const std::string mail =
        "<EMAIL:RNR1TOa|b@c;\x01S1bo>dy\x01subj\x01"
        "A1>";
    EXPECT_EQ(rig.Play("<LAUNCH:prog<PARAM>-x>1<WMAX:\"CURRENT\">2" + mail + "3"), "12");
    EXPECT_EQ(seen, (std::vector<std::string>{"<LAUNCH:prog<PARAM>-x>", "<WMAX:\"CURRENT\">", mail}));
    EXPECT_TRUE(rig.windows.messages.empty());
}

TEST(MacroPlayerCommands, TextBoxAddressesAndCaret) {
    Rig rig;
    EXPECT_EQ(rig.Play("<TBOX:<HEAD:Title>Body text>x<HTTP:www.example.org><FTP:ftp.x.org>"
                       "<HTTP:https://x.org/a><MMC>y"),
              "xy");
    ASSERT_EQ(rig.windows.boxes.size(), 1u);
    EXPECT_EQ(rig.windows.boxes[0].caption, "Title");
    EXPECT_EQ(rig.windows.boxes[0].text, "Body text");
    // The opener takes only whole addresses: what the wizard wrote gets its scheme.
    EXPECT_EQ(rig.desktop.opened,
              (std::vector<std::string>{"http://www.example.org", "ftp://ftp.x.org", "https://x.org/a"}));
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].text, "Could not move the mouse to the location of the caret.");
}

}  // namespace
}  // namespace tessaro
