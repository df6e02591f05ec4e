#include "editor/model/wizard/sweep_pages.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "macro/capture_file.h"
#include "misc_rig.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/unpacked.h"

namespace tessaro::wizard {
namespace {

using testing::MiscRig;
using testing::ReadBytes;
using Notices = std::vector<std::pair<std::uint32_t, std::int32_t>>;

// A helper that writes its command line to a file beside it.
void WriteHelper(const MiscRig& rig) {
    const std::string path = SweepHelperPath(rig.dir.path());
    std::ofstream(path) << "#!/bin/sh\necho \"$@\" > \"" << rig.dir.file("helper-args") << "\"\n";
    ::chmod(path.c_str(), 0755);
}

std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 200; ++i) {
        std::ifstream in(path);
        std::string line;
        if (std::getline(in, line)) return line;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

std::string Captured(const MiscRig& rig) {
    const std::vector<char> bytes = ReadBytes(CaptureFilePath(rig.dir.path()));
    return {bytes.begin(), bytes.end()};
}

TEST(SweepPages, TheAddressIsTrimmedAndGetsTheSchemeItsLabelShows) {
    EXPECT_EQ(SweepAddress("   "), "");
    EXPECT_EQ(SweepAddress("  win.example.org/enter "), "win.example.org/enter");
    EXPECT_EQ(SweepAddress(std::string(300, 'a')).size(), 255u);
    EXPECT_EQ(BrowserAddress("win.example.org/enter"), "http://win.example.org/enter");
    EXPECT_EQ(BrowserAddress("http://win.example.org"), "http://win.example.org");
    EXPECT_EQ(BrowserAddress("https://win.example.org"), "https://win.example.org");
    EXPECT_EQ(SweepHelperParameters(4194311), "QJX 4194311");
}

TEST(SweepPages, WithoutItsHelperTheRecordingIsRefusedAndNothingChanges) {
    MiscRig rig;
    SweepRecording recording(rig.ctx);
    const std::string error = recording.Start(77);
    EXPECT_NE(error.find(SweepHelperPath(rig.dir.path())), std::string::npos) << error;
    EXPECT_NE(error.find("could not be found"), std::string::npos) << error;
    EXPECT_FALSE(recording.Recording());
    EXPECT_EQ(+rig.glob->CaptureOn, 0);
    EXPECT_EQ(+rig.glob->CapWndOn, 0);
    EXPECT_TRUE(rig.notices.empty());
    recording.OnChar('a');
    EXPECT_FALSE(recording.OnEnded());
}

TEST(SweepPages, ARecordingStartsTheHelperAndSetsUpAKeysOnlyCapture) {
    MiscRig rig;
    WriteHelper(rig);
    rig.glob->StopKeyVK = 65;
    rig.glob->CapMouse = 1;
    rig.glob->OwnKeyOn = 1;
    std::ofstream(CaptureFilePath(rig.dir.path())) << "old recording";
    SweepRecording recording(rig.ctx);
    ASSERT_EQ(recording.Start(4242), "");
    EXPECT_TRUE(recording.Recording());
    EXPECT_EQ(WaitForFile(rig.dir.file("helper-args")), "QJX 4242");

    const TGlobData& g = *rig.glob;
    EXPECT_EQ(Unpacked(g.CapWnd), 4242u);
    EXPECT_EQ(+g.CapWndOn, 1);
    EXPECT_EQ(+g.CaptureOn, 1);
    EXPECT_EQ(+g.CaptureMacro, 1000);
    EXPECT_EQ(+g.CapKeys, 1);
    EXPECT_EQ(+g.CapMouse, 0);
    EXPECT_EQ(+g.CapRelativeTo, 1);
    EXPECT_EQ(+g.CapClicksOnly, 1);
    EXPECT_EQ(+g.CapTime, 0);
    EXPECT_EQ(+g.StopKeyVK, 0);
    EXPECT_EQ(+g.OwnKeyOn, 0);
    EXPECT_EQ(+g.OwnKeyVK, 1000);
    EXPECT_EQ(+g.CapStarting, 1);
    EXPECT_EQ(rig.notices,
              (Notices{{puPullGroup, ggWindow2}, {puPullGroup, ggCapture}, {puPullGroup, ggCaptureOn}}));
    EXPECT_EQ(Captured(rig), "");  // an old recording is not carried over
}

TEST(SweepPages, TypedCharactersAreRecordedUntilTheEndAndNotAfter) {
    MiscRig rig;
    WriteHelper(rig);
    SweepRecording recording(rig.ctx);
    recording.OnChar('x');  // before the start
    ASSERT_EQ(recording.Start(9), "");
    WaitForFile(rig.dir.file("helper-args"));
    for (char c : std::string("Ann\t"))
        recording.OnChar(static_cast<unsigned char>(c) | 0x1200);  // only the low byte counts
    recording.OnChar(0);
    recording.OnChar(static_cast<unsigned char>('\xe9'));
    rig.notices.clear();
    EXPECT_TRUE(recording.OnEnded());
    recording.OnChar('z');
    EXPECT_FALSE(recording.OnEnded());
    EXPECT_EQ(Captured(rig), "Ann\t\xe9");
    EXPECT_EQ(+rig.glob->CaptureOn, 0);
    EXPECT_EQ(+rig.glob->CapWndOn, 0);
    EXPECT_EQ(rig.notices, (Notices{{puPullGroup, ggCaptureOn}, {puPullGroup, ggWindow2}}));
}

TEST(SweepPages, ClosingDuringARecordingReleasesTheCapture) {
    MiscRig rig;
    WriteHelper(rig);
    {
        SweepRecording recording(rig.ctx);
        ASSERT_EQ(recording.Start(9), "");
        WaitForFile(rig.dir.file("helper-args"));
        recording.OnChar('a');
    }
    EXPECT_EQ(+rig.glob->CaptureOn, 0);
    EXPECT_EQ(+rig.glob->CapWndOn, 0);
    EXPECT_EQ(Captured(rig), "a");
}

// The file cannot take a character for a while (a full disk). The macro is built from the
// file, which holds the whole recording once it ends; when even then it cannot, the user is
// told.
TEST(SweepPages, AtItsEndTheFileHoldsTheWholeRecordingOrTheUserIsTold) {
    MiscRig rig;
    WriteHelper(rig);
    std::vector<std::string> boxes;
    win::ScopedMessageBoxHandler handler{[&](const win::MessageBoxCall& c) {
        boxes.push_back(c.text);
        return win::MbResult::Ok;
    }};
    SweepRecording recording(rig.ctx);
    ASSERT_EQ(recording.Start(9), "");
    WaitForFile(rig.dir.file("helper-args"));
    recording.OnChar('A');
    {
        testing::FileSizeLimit full(1);
        ASSERT_TRUE(full.set());
        recording.OnChar('n');
    }
    recording.OnChar('n');
    EXPECT_EQ(Captured(rig), "A");
    EXPECT_TRUE(recording.OnEnded());
    EXPECT_EQ(Captured(rig), "Ann");
    EXPECT_TRUE(boxes.empty());

    ASSERT_EQ(recording.Start(9), "");
    recording.OnChar('x');
    {
        testing::FileSizeLimit full(1);
        ASSERT_TRUE(full.set());
        recording.OnChar('y');
        EXPECT_TRUE(recording.OnEnded());
    }
    EXPECT_EQ(Captured(rig), "x");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("only what the file holds"), std::string::npos) << boxes[0];
}

}  // namespace
}  // namespace tessaro::wizard
