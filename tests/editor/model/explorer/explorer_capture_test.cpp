// A recapture from the editor: the recorded characters and the capture's end.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string_view>

#include "explorer_rig.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/finishes_in_time.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using testing::ExitCodeWithin;
using testing::ExplorerRig;
using testing::Notice;
using testing::TestMacro;

struct CaptureRig : ExplorerRig {
    CaptureRig() {
        auto recs = SystemMacros();
        recs.push_back(TestMacro("hot", 30));
        TMacroRecord snip = TestMacro("snip", acAbbreviation);
        snip.Abbreviation = "brb";
        recs.push_back(snip);
        StartWith(recs);
        // As the capture dialog's start does: the file holds the speed token, if any.
        dialogs.recapture = [this](TMacroRecord&) {
            if (!speedToken.empty())
                testing::WriteBytes(dir.file("TempCap.Txt"), {speedToken.begin(), speedToken.end()});
            ex().StartRecording();
            return true;
        };
    }
    std::string speedToken;
    // Recaptures macro n, typing `count` characters.
    void Capture(int n, std::size_t count) {
        Select(n);
        ex().DoCapture();
        for (std::size_t i = 0; i < count; ++i) ex().OnCaptureChar(n, 'a' + static_cast<int>(i % 26));
        boxes.clear();
        link.calls.clear();
        ex().OnCaptureDone(n);
    }
    std::string TextOf(int n) { return FileRecords()[n - 1].MacroText; }
};

TEST(ExplorerCapture, FiveThousandCharactersStayInTheMacro) {
    CaptureRig rig;
    rig.Capture(6, 5000);
    EXPECT_EQ(rig.TextOf(6).size(), 5000u);
    EXPECT_FALSE(std::filesystem::exists(rig.dir.file("TempCap.Txt")));
    EXPECT_FALSE(std::filesystem::exists(rig.dir.file("QT0.TXT")));
    ASSERT_EQ(rig.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes[0].caption, "Capture");
    EXPECT_EQ(rig.boxes[0].text, "Tessaro 99 capture is complete for " + HotKeyNames(30) + ".");
    const auto calls = rig.link.calls;
    EXPECT_EQ(calls[0], (Notice{'U', ggCaptureOn, 0}));
    EXPECT_EQ(calls[1], (Notice{'E', puPullGroup, ggCaptureOn}));
    EXPECT_EQ(calls[3], (Notice{'E', puPullGroup, ggWindow2}));
    EXPECT_EQ(Unpacked(rig.glob->CapWnd), 77u);
    EXPECT_EQ(+rig.glob->CapWndOn, 0);
    EXPECT_NE(std::find(calls.begin(), calls.end(), Notice{'E', puMacroChanged, 6}), calls.end());
    EXPECT_NE(std::find(rig.window.events.begin(), rig.window.events.end(), "front"),
              rig.window.events.end());
}

TEST(ExplorerCapture, LongerCapturesGoToTheNextFreeNumberedFile) {
    CaptureRig rig;
    std::ofstream(rig.dir.file("QT0.TXT")) << "someone else's";
    rig.Capture(7, 5001);
    const std::string expected = "<TFILE:" + rig.dir.path() + "/QT1.TXT>";
    EXPECT_EQ(rig.TextOf(7), expected);
    EXPECT_EQ(std::filesystem::file_size(rig.dir.file("QT1.TXT")), 5001u);
    EXPECT_EQ(testing::ReadBytes(rig.dir.file("QT0.TXT")).size(), 14u);  // never overwritten
    EXPECT_FALSE(std::filesystem::exists(rig.dir.file("TempCap.Txt")));
    ASSERT_EQ(rig.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes[0].text, "Tessaro 99 capture is complete for Snipra: brb.");
}

TEST(ExplorerCapture, ALongCaptureThatCannotBeCopiedStaysInItsFileAndIsReported) {
    CaptureRig rig;
    rig.Select(6);
    rig.ex().DoCapture();
    for (int i = 0; i < 5001; ++i) rig.ex().OnCaptureChar(6, 'q');
    const std::vector<char> before = testing::ReadBytes(rig.path);
    {
        testing::FileSizeLimit full(100);  // the numbered copy finds the disk full
        ASSERT_TRUE(full.set());
        rig.boxes.clear();
        rig.ex().OnCaptureDone(6);
    }
    EXPECT_EQ(std::filesystem::file_size(rig.dir.file("TempCap.Txt")), 5001u);
    ASSERT_EQ(rig.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes[0].caption, "Error");
    EXPECT_NE(rig.boxes[0].text.find("TempCap.Txt"), std::string::npos);
    EXPECT_EQ(testing::ReadBytes(rig.path), before);  // the macro keeps its old text
}

// A FIFO in the capture file's place: starting, recording and ending neither wait on it
// nor replace it, and the macro gets the recording all the same.
TEST(ExplorerCapture, AFifoAsTheCaptureFileIsNeverWaitedOn) {
    CaptureRig rig;
    const std::string fifo = rig.dir.file("TempCap.Txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int code = ExitCodeWithin(
        [&] {
            rig.Capture(6, 3);
            return rig.TextOf(6) == "abc" ? 0 : 1;
        },
        std::chrono::seconds(10));
    EXPECT_EQ(code, 0) << "-1: the editor hung on the FIFO";
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

// The capture file cannot take a character (a full disk): it keeps the recording up to
// there, nothing after a gap, while the recording goes on; the macro gets all of it.
TEST(ExplorerCapture, AFileThatCannotFollowLosesNothingOfTheRecording) {
    CaptureRig rig;
    rig.speedToken = "<SPEED:00002>";
    rig.Select(6);
    rig.ex().DoCapture();
    const auto type = [&](std::string_view text) {
        for (char c : text) rig.ex().OnCaptureChar(6, c);
    };
    type("ab");
    {
        testing::FileSizeLimit full(rig.speedToken.size() + 2);
        ASSERT_TRUE(full.set());
        type("cd");
    }
    type("ef");
    const std::vector<char> left = testing::ReadBytes(rig.dir.file("TempCap.Txt"));
    EXPECT_EQ(std::string(left.begin(), left.end()), "<SPEED:00002>ab");
    rig.ex().OnCaptureDone(6);
    EXPECT_EQ(rig.TextOf(6), "<SPEED:00002>abcdef");
    EXPECT_FALSE(std::filesystem::exists(rig.dir.file("TempCap.Txt")));
}

TEST(ExplorerCapture, ASecondDoneIsIgnoredAndCharactersAfterTheEndAreNotRecorded) {
    CaptureRig rig;
    rig.Capture(6, 3);
    EXPECT_EQ(rig.TextOf(6), "abc");
    rig.link.calls.clear();
    rig.boxes.clear();
    rig.ex().OnCaptureChar(6, 'z');
    rig.ex().OnCaptureDone(6);
    EXPECT_TRUE(rig.link.calls.empty());
    EXPECT_TRUE(rig.boxes.empty());
    EXPECT_EQ(rig.TextOf(6), "abc");
}

TEST(ExplorerCapture, ProgramScopeTakesTheForegroundProgram) {
    CaptureRig rig;
    rig.ex().captureProgramScope = true;
    rig.window.foreground = "mousepad";
    rig.Capture(6, 2);
    const TMacroRecord rec = rig.FileRecords()[5];
    EXPECT_EQ(Unpacked(rec.Scope), scProgram);
    EXPECT_EQ(rec.ScopeText.str(), "mousepad");
    EXPECT_EQ(rec.TopmostOnly, 1);
}

// The macro cannot be saved (a folder took the macro file's place): the capture file keeps
// the recording, and the user is told where it is.
TEST(ExplorerCapture, AMacroThatCannotBeSavedLeavesTheRecordingInTheCaptureFile) {
    CaptureRig rig;
    rig.Select(6);
    rig.ex().DoCapture();
    for (char c : std::string("abc")) rig.ex().OnCaptureChar(6, c);
    std::filesystem::remove(rig.path);
    std::filesystem::create_directory(rig.path);
    rig.boxes.clear();
    rig.ex().OnCaptureDone(6);
    EXPECT_EQ(testing::ReadBytes(rig.dir.file("TempCap.Txt")), (std::vector<char>{'a', 'b', 'c'}));
    ASSERT_EQ(rig.boxes.size(), 2u);
    EXPECT_NE(rig.boxes[0].text.find("Saving of keystrokes failed."), std::string::npos) << rig.boxes[0].text;
    EXPECT_EQ(rig.boxes[1].text, "The recording is kept in " + rig.dir.file("TempCap.Txt") + ".");
}

// A recording kept from a capture that could not be stored outlives a cancelled dialog.
TEST(ExplorerCapture, ACancelledCaptureEndsTheCaptureAndKeepsTheMacroAndTheCaptureFile) {
    CaptureRig rig;
    testing::WriteBytes(rig.dir.file("TempCap.Txt"), {'k', 'e', 'p', 't'});
    rig.dialogs.recapture = [](TMacroRecord&) { return false; };
    rig.Select(6);
    rig.ex().DoCapture();
    EXPECT_TRUE(rig.ex().captureFinished());
    EXPECT_EQ(rig.TextOf(6), "hot text");
    EXPECT_EQ(testing::ReadBytes(rig.dir.file("TempCap.Txt")), (std::vector<char>{'k', 'e', 'p', 't'}));
}

}  // namespace
}  // namespace tessaro
