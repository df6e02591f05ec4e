// The player's capture with the hook library's messages simulated: starts and their
// refusals, the capture file, the end, the lock and forged or stray messages.
#include "player/capture/player_capture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "player/engine/network_lock.h"
#include "player/engine/player_macro_file.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/player/engine/recording_link.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/finishes_in_time.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using testing::ReadBytes;

struct Host : CaptureHost, NetworkLockHost {
    bool browse = false;
    std::vector<std::string> messages;
    std::vector<bool> icon;
    int completes = 0, hotKeys = 0, dropped = 0;
    std::string top = "NOTEPAD";
    std::string completedTop;
    std::string completedText;
    std::function<void(TMacroRecord&)> choose;

    bool BrowseMode() override { return browse; }
    void CaptureMessage(const std::string& c, const std::string& t) override {
        messages.push_back(c + ": " + t);
    }
    std::string TopProgram() override { return top; }
    void ShowCaptureIcon(bool shown) override { icon.push_back(shown); }
    void CompleteCapture(TMacroRecord& rec, const std::string& t) override {
        ++completes;
        completedTop = t;
        completedText = rec.MacroText;
        if (choose) choose(rec);
    }
    void SetHotKeys() override { ++hotKeys; }
    void DropCaptureClick() override { ++dropped; }
    // NetworkLockHost
    void ReloadEverything() override {}
    void HeartbeatTimer(bool) override {}
    void LockMessage(const std::string& c, const std::string& t) override {
        messages.push_back(c + ": " + t);
    }
    double Now() override { return 46000.0; }
    std::int64_t LocalMs() override { return 0; }
};

class Capture : public ::testing::Test {
protected:
    void SetUp() override {
        config->RecentFiles[0] = path;
        config->CapKeys = true;
        config->CapMouse = true;
        config->CapRelativeToScreen = 2;
        config->CapWindowSize = true;
        config->CapSpeed = 3;
        ASSERT_TRUE(file.LoadMacroFile(path));
        ASSERT_EQ(Unpacked(glob->MacroCount), 5);
        lock.Configure(false, path);
    }
    void Type(const std::string& text) {
        for (unsigned char c : text) capture.HandleMessage(WM_CAPTURE_CHAR, glob->CaptureMacro, c);
    }
    void Done() { capture.HandleMessage(WM_CAPTURE_DONE, glob->CaptureMacro, 0); }
    TMacroRecord Stored(int n) {
        TMacroRecord rec;
        EXPECT_TRUE(file.ReadMacroRecord(n, rec));
        return rec;
    }
    int SystemSlot(char id) {
        for (int n = 1; n <= glob->MacroCount; ++n)
            if (glob->Scope[n] == scSystem && glob->ScopeText[n].str() == std::string(1, id)) return n;
        return 0;
    }

    testing::TempDir dir;
    std::string path = dir.file("TESRO.QTM");
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    testing::RecordingLink link;
    std::vector<win::MessageBoxCall> boxes;
    win::ScopedMessageBoxHandler boxHandler{[this](const win::MessageBoxCall& c) {
        boxes.push_back(c);
        return win::MbResult::Ok;
    }};
    PlayerMacroFile file{{*config, *glob, link, dir.path(), [] { return 45000.5; }}};
    Host host;
    PlayerNetworkLock lock{host};
    PlayerCapture capture{{*config, *glob, link, file, lock, host, dir.path(), [] { return 45123.25; }}};
};

TEST_F(Capture, AStartArmsTheLibraryAndAppendsTheNewMacro) {
    link.calls.clear();
    capture.StartACapture();
    ASSERT_TRUE(capture.capturing()) << (host.messages.empty() ? "" : host.messages[0]);
    EXPECT_EQ(+glob->MacroCount, 6);
    EXPECT_EQ(+glob->CaptureMacro, 6);
    EXPECT_EQ(+glob->CaptureOn, 1);
    EXPECT_EQ(+glob->CapStarting, 1);
    EXPECT_EQ(+glob->CapRelativeTo, 2);
    EXPECT_EQ(+glob->CapWindowSize, 1);
    EXPECT_EQ(+glob->CapWindowSize2, 1);
    EXPECT_EQ(+glob->CapTime, 0);
    const TMacroRecord rec = Stored(6);
    EXPECT_EQ(rec.Nickname.str(), "Capture");
    EXPECT_EQ(rec.Abbreviation.str(), "capture");
    EXPECT_EQ(+rec.ActivationCode, acAbbreviation);
    EXPECT_EQ(+rec.TopmostOnly, 1);
    // The stop key is the current hot key of "Start / Stop Capture".
    const DecipheredKey stop = DecipherKey(glob->ActivationCode[SystemSlot('2')]);
    EXPECT_EQ(+glob->StopKeyVK, stop.vk);
    EXPECT_EQ(+glob->StopKeyCtrl, stop.ctrl);
    EXPECT_EQ(+glob->StopKeyAlt, stop.alt);
    EXPECT_EQ(+glob->StopKeyShift, stop.shift);
    EXPECT_EQ(host.icon, std::vector<bool>{true});
    EXPECT_EQ(link.Count('U', ggCaptureOn), 1);
    EXPECT_EQ(link.Count('U', ggCapture), 1);
    EXPECT_EQ(link.Count('U', ggNumKeys), 1);
    // Timing off: no speed token.
    EXPECT_TRUE(ReadBytes(dir.file("TempCap.Txt")).empty());
}

TEST_F(Capture, TheEndStoresTheTextAndAsksHowTheMacroStarts) {
    host.choose = [](TMacroRecord& rec) {
        rec.Nickname = "Greeting";
        rec.ActivationCode = 12;
    };
    capture.StartACapture();
    host.top = "FIREFOX";
    Type("Hello<ALT:060>");
    capture.HandleMessage(WM_CAPTURE_CHAR, glob->CaptureMacro, 0x100);  // only the low byte counts: 0
    Done();
    EXPECT_FALSE(capture.capturing());
    EXPECT_EQ(+glob->CaptureOn, 0);
    EXPECT_EQ(host.icon, (std::vector<bool>{true, false}));
    EXPECT_EQ(host.completes, 1);
    EXPECT_EQ(host.completedTop, "FIREFOX");
    EXPECT_EQ(host.completedText, "Hello<ALT:060>");
    const TMacroRecord rec = Stored(6);
    EXPECT_STREQ(rec.MacroText, "Hello<ALT:060>");
    EXPECT_EQ(rec.Nickname.str(), "Greeting");
    EXPECT_EQ(+rec.ActivationCode, 12);
    EXPECT_EQ(double(Unpacked(rec.LastModified)), 45123.25);
    EXPECT_EQ(host.hotKeys, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("TempCap.Txt")));

    // A second end, or characters after it, change nothing.
    Done();
    Type("x");
    EXPECT_EQ(host.completes, 1);
}

TEST_F(Capture, TimingStartsTheFileWithTheSpeedToken) {
    config->CapTime = true;
    capture.StartACapture();
    Type("a");
    const auto bytes = ReadBytes(dir.file("TempCap.Txt"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "<SPEED:00.50>a");
    EXPECT_EQ(CaptureSpeedToken(1), "<SPEED:00001>");
    EXPECT_EQ(CaptureSpeedToken(2), "<SPEED:00002>");
    EXPECT_EQ(CaptureSpeedToken(4), "<SPEED:00.25>");
    EXPECT_EQ(CaptureSpeedToken(7), "");
}

// The capture file cannot take a character (a full disk): it keeps what it had, none after
// a gap, and the recording goes on; the macro gets all of it.
TEST_F(Capture, AFileThatCannotFollowLeavesTheRecordingWhole) {
    capture.StartACapture();
    Type("ab");
    {
        testing::FileSizeLimit limit(2);
        ASSERT_TRUE(limit.set());
        Type("cd");
    }
    Type("ef");
    EXPECT_EQ(ReadBytes(dir.file("TempCap.Txt")), (std::vector<char>{'a', 'b'}));
    Done();
    EXPECT_STREQ(Stored(6).MacroText, "abcdef");
    EXPECT_TRUE(host.messages.empty()) << host.messages[0];
    EXPECT_FALSE(std::filesystem::exists(dir.file("TempCap.Txt")));
}

// The capture file keeps the recording until the macro holds it: while the user answers
// "Capture Complete" (a kill then loses nothing), and when the macro cannot be saved.
TEST_F(Capture, TheCaptureFileKeepsTheRecordingUntilTheMacroIsSaved) {
    std::vector<char> whileAsked;
    host.choose = [&](TMacroRecord&) { whileAsked = ReadBytes(dir.file("TempCap.Txt")); };
    capture.StartACapture();
    Type("abc");
    Done();
    EXPECT_EQ(whileAsked, (std::vector<char>{'a', 'b', 'c'}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("TempCap.Txt")));

    // A folder takes the macro file's place while the user answers.
    host.choose = [&](TMacroRecord&) {
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);
    };
    capture.StartACapture();
    Type("de");
    Done();
    EXPECT_EQ(ReadBytes(dir.file("TempCap.Txt")), (std::vector<char>{'d', 'e'}));
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.back(), "Error: The recording is kept in " + dir.file("TempCap.Txt") + ".");
}

TEST_F(Capture, RefusalsSayWhyAndChangeNothing) {
    host.browse = true;
    capture.StartACapture();
    host.browse = false;
    capture.StartACapture();
    capture.StartACapture();
    capture.EndForShutDown();
    glob->MacroCount = 500;
    capture.StartACapture();
    EXPECT_EQ(host.messages, (std::vector<std::string>{"Error: " + std::string(kCaptureInBrowseMode),
                                                       "Error: " + std::string(kCaptureRunning),
                                                       "Error: " + std::string(kCaptureNoRoom)}));
}

TEST_F(Capture, TheStopKeyFollowsTheSystemMacrosCurrentHotKey) {
    const int slot = SystemSlot('2');
    glob->ActivationCode[slot] = 30;  // as after the user chose another key
    capture.StartACapture();
    const DecipheredKey stop = DecipherKey(30);
    EXPECT_EQ(+glob->StopKeyVK, stop.vk);
    EXPECT_EQ(+glob->StopKeyShift, stop.shift);
    EXPECT_EQ(+glob->StopKeyMouse, stop.mouse);

    config->CapPrompt = true;
    Done();
    capture.StartACapture();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Start Capture: Tessaro 99 macro capture will now start.\r\n\r\nUse " +
                                    HotKeyNames(30) + " to stop the capture.");
}

TEST_F(Capture, LongCapturesGoToNumberedFiles) {
    capture.StartACapture();
    Type(std::string(5000, 'a'));
    Done();
    EXPECT_EQ(std::string(Stored(6).MacroText), std::string(5000, 'a'));
    capture.StartACapture();
    Type(std::string(5001, 'b'));
    Done();
    capture.StartACapture();
    Type(std::string(6000, 'c'));
    Done();
    EXPECT_EQ(std::string(Stored(7).MacroText), "<TFILE:" + dir.file("QT0.TXT") + ">");
    EXPECT_EQ(std::string(Stored(8).MacroText), "<TFILE:" + dir.file("QT1.TXT") + ">");
    EXPECT_EQ(ReadBytes(dir.file("QT1.TXT")).size(), 6000u);
}

TEST_F(Capture, ForgedAndStrayMessagesAreIgnored) {
    Type("x");
    Done();
    EXPECT_EQ(host.completes, 0);
    capture.StartACapture();
    // Another client naming another macro cannot make the capture overwrite it.
    capture.HandleMessage(WM_CAPTURE_CHAR, 2, 'z');
    capture.HandleMessage(WM_CAPTURE_DONE, 2, 0);
    EXPECT_TRUE(capture.capturing());
    Type("ok");
    Done();
    EXPECT_STREQ(Stored(6).MacroText, "ok");
    EXPECT_EQ(+Stored(2).ActivationCode, +glob->ActivationCode[2]);
    EXPECT_FALSE(capture.HandleMessage(WM_ABORT_MACRO, 0, 0));
}

TEST_F(Capture, EndingFromTheIconDropsItsClickAndShutDownStoresTheRecording) {
    capture.StartACapture();
    Type("ab");
    capture.EndFromTrayIcon();
    EXPECT_EQ(host.dropped, 1);
    EXPECT_EQ(host.completes, 1);
    EXPECT_STREQ(Stored(6).MacroText, "ab");

    capture.StartACapture();
    Type("cd");
    capture.EndForShutDown();
    EXPECT_EQ(host.completes, 1) << "no dialog while the player ends";
    EXPECT_FALSE(capture.capturing());
    const TMacroRecord rec = Stored(7);
    EXPECT_STREQ(rec.MacroText, "cd");
    EXPECT_EQ(rec.Abbreviation.str(), "capture");
}

TEST_F(Capture, ACaptureFileThatCannotBeMadeStartsNothing) {
    PlayerCapture elsewhere{{*config, *glob, link, file, lock, host, dir.file("TESRO.QTM"), {}}};
    elsewhere.StartACapture();
    EXPECT_FALSE(elsewhere.capturing());
    EXPECT_EQ(+glob->MacroCount, 5);
    EXPECT_EQ(+glob->CaptureOn, 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("could not be created"), std::string::npos);
}

// A FIFO in the capture file's place: the capture does not start, and the player neither
// waits on it nor replaces it.
TEST_F(Capture, AFifoAsTheCaptureFileStartsNothingWithoutWaiting) {
    const std::string fifo = dir.file("TempCap.Txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int code = testing::ExitCodeWithin(
        [&] {
            capture.StartACapture();
            return !capture.capturing() && host.messages.size() == 1 &&
                           host.messages[0].find("it is a named pipe, not a regular file") !=
                               std::string::npos
                       ? 0
                       : 1;
        },
        std::chrono::seconds(10));
    EXPECT_EQ(code, 0) << "-1: the player hung on the FIFO";
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST_F(Capture, AFailedAppendIsUndone) {
    // A folder took the macro file's place: the new record cannot be added.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    capture.StartACapture();
    EXPECT_FALSE(capture.capturing());
    EXPECT_EQ(+glob->MacroCount, 5);
    EXPECT_EQ(+glob->CaptureOn, 0);
    EXPECT_TRUE(host.icon.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("TempCap.Txt")));
    ASSERT_EQ(boxes.size(), 1u) << "the failure is told";
    EXPECT_EQ(boxes[0].caption, "Error");
}

TEST_F(Capture, OnASharedFileAnotherUsersLockIsNeverReleased) {
    lock.Configure(true, path);
    lock.NoteLoaded();
    WriteSyncRecord(lock.lockFileName(), TSyncRecord{3, kSyncInUse, 46000.0});
    capture.StartACapture();
    EXPECT_FALSE(capture.capturing());
    TSyncRecord r;
    ReadSyncRecord(lock.lockFileName(), r);
    EXPECT_EQ(+r.State, kSyncInUse) << "the other user's lock stands";
    EXPECT_EQ(+r.ChangeCount, 3);

    // Free: the capture holds it and gives it back counting its one change.
    WriteSyncRecord(lock.lockFileName(), TSyncRecord{3, kSyncReleased, 0});
    capture.StartACapture();
    ASSERT_TRUE(capture.capturing());
    ReadSyncRecord(lock.lockFileName(), r);
    EXPECT_EQ(+r.State, kSyncInUse);
    Done();
    ReadSyncRecord(lock.lockFileName(), r);
    EXPECT_EQ(+r.State, kSyncReleased);
    EXPECT_EQ(+r.ChangeCount, 4);
}

// A long recording that cannot be stored (no room for its text file): the user is told, the
// macro stays as the start added it, and the lock is given back counting that macro.
TEST_F(Capture, ARecordingThatCannotBeStoredStillCountsTheMacroItAdded) {
    lock.Configure(true, path);
    lock.NoteLoaded();
    WriteSyncRecord(lock.lockFileName(), TSyncRecord{3, kSyncReleased, 0});
    capture.StartACapture();
    ASSERT_TRUE(capture.capturing());
    Type(std::string(6000, 'w'));
    {
        testing::FileSizeLimit limit(100);
        ASSERT_TRUE(limit.set());
        Done();
    }
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("could not be saved"), std::string::npos) << host.messages[0];
    EXPECT_EQ(Stored(6).Nickname.str(), "Capture");
    TSyncRecord r;
    ReadSyncRecord(lock.lockFileName(), r);
    EXPECT_EQ(+r.State, kSyncReleased);
    EXPECT_EQ(+r.ChangeCount, 4);
}

}  // namespace
}  // namespace tessaro
