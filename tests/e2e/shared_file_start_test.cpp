// Several users' editors and players started at the same moment on one shared macro file in
// network mode, and an editor started beside a category file that is a FIFO.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "foundation/settings.h"
#include "foundation/start_gate.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/profile.h"
#include "platform/single_instance.h"
#include "player_process.h"
#include "protocol/object_names.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

std::string BuiltEditor() {
    const std::string player = BuiltPlayer();
    return player.substr(0, player.rfind('/')) + "/tesdesk";
}

// One user: their own settings, guards and namespace on the shared display, all set to the
// shared macro file in network mode.
class User {
public:
    User(const std::string& display, bool player) : box_(display), player_(player) {}

    void Use() const {
        ::setenv("TESSARO_HOME", box_.dir().c_str(), 1);
        ::setenv("TESSARO_WINDIR", box_.dir().c_str(), 1);
        ::setenv("TESSARO_NS", box_.ns().c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (box_.dir() + "/run").c_str(), 1);
    }
    bool Configure(const std::string& macroFile) const {
        Use();
        return win::WritePrivateProfileString("Network", "Network Mode", "Yes", kSettingsFile) &&
               win::WritePrivateProfileString("Misc", "Current File", macroFile, kSettingsFile);
    }
    // The player as it starts without its editor, or the editor as the player starts it.
    void Start(const std::string& macroFile) {
        Use();
        process_ = player_
                       ? std::make_unique<PlayerProcess>(
                             box_, std::vector<std::string>{"/F" + macroFile, "/EN"}, "run.log")
                       : std::make_unique<PlayerProcess>(
                             box_, std::vector<std::string>{kLaunchMarker, "/RH0"}, "run.log", BuiltEditor());
    }
    // Its window is recorded once the macro file was loaded.
    bool Up() const {
        Use();
        return win::RunningInstanceWindow(player_ ? kPlayerInstanceName : kEditorInstanceName) != 0;
    }
    void Stop() {
        if (process_) process_->Stop(SIGKILL);
    }
    // Its output, and whether it still runs: a start that hangs and one that ended look alike.
    std::string Told() {
        if (!process_) return "not started";
        const int status = process_->WaitExit(std::chrono::milliseconds(0));
        return (status < 0 ? "still running, " : "ended with status " + std::to_string(status) + ", ") +
               "its output: " + process_->Log();
    }
    const PlayerSandbox& box() const { return box_; }

private:
    PlayerSandbox box_;
    bool player_;
    std::unique_ptr<PlayerProcess> process_;
};

TMacroRecord UserMacro() {
    TMacroRecord rec{};
    rec.Nickname = "mine";
    rec.Scope = scGlobal;
    rec.ActivationCode = 261;  // the first system macro's default key: it must look further down
    rec.Enabled = 1;
    SetMacroText(rec, "hello");
    return rec;
}

// What is wrong with the file: empty when it holds the user's macro first, then each system
// macro exactly once, and whole records only.
std::string Damage(const std::string& file) {
    std::vector<TMacroRecord> recs;
    MacroFileExtent extent;
    if (!ReadMacroRecords(file, 1000, recs, &extent).ok()) return "unreadable";
    std::string damage;
    if (extent.trailingBytes != 0)
        damage += std::to_string(extent.trailingBytes) + " bytes of a torn record; ";
    if (recs.empty() || recs[0].Nickname.view() != "mine") damage += "the user's macro is gone; ";
    std::array<int, 5> seen{};
    std::vector<int> keys;
    for (const TMacroRecord& r : recs) {
        if (r.Scope != scSystem) continue;
        const char id = r.ScopeText.empty() ? '?' : r.ScopeText.view()[0];
        if (id >= '1' && id <= '5') ++seen[static_cast<std::size_t>(id - '1')];
        keys.push_back(r.ActivationCode);
    }
    for (int k = 0; k < 5; ++k)
        if (seen[static_cast<std::size_t>(k)] != 1)
            damage += "system macro " + std::to_string(k + 1) + " " + std::to_string(seen[k]) + " times; ";
    for (std::size_t i = 0; i < keys.size(); ++i)
        for (std::size_t j = i + 1; j < keys.size(); ++j)
            if (keys[i] == keys[j]) damage += "two system macros on key " + std::to_string(keys[i]) + "; ";
    return damage;
}

// Each program comes up without a box: none finds the lock file it makes with another
// program unusable, and none loses a lock it took to another's new lock file.
TEST(SharedFileStart, ProgramsStartingTogetherAddTheSystemMacrosOnceAndTearNoRecord) {
    Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    // 50 starts, ten at a time: two editors each, every other one with a player too.
    constexpr int kStarts = 50;
    constexpr int kAtOnce = 10;
    for (int round = 0; round < kStarts / kAtOnce; ++round) {
        struct Start {
            std::vector<std::unique_ptr<User>> users;
            std::string file;
        };
        std::vector<Start> starts(kAtOnce);
        for (int i = 0; i < kAtOnce; ++i) {
            Start& s = starts[static_cast<std::size_t>(i)];
            const int programs = i % 2 == 0 ? 2 : 3;
            for (int u = 0; u < programs; ++u) s.users.push_back(std::make_unique<User>(xvfb.name(), u == 2));
            s.file = s.users[0]->box().file("SHARED.QTM");
            ASSERT_TRUE(CreateEmptyMacroFile(s.file).ok());
            ASSERT_TRUE(WriteMacroRecordAt(s.file, -1, UserMacro()).ok());
            for (const auto& u : s.users) ASSERT_TRUE(u->Configure(s.file));
        }
        // Each start's programs one right after the other.
        for (Start& s : starts)
            for (const auto& u : s.users) u->Start(s.file);
        for (Start& s : starts) {
            for (const auto& u : s.users) EXPECT_TRUE(WaitFor([&] { return u->Up(); }, 60s)) << u->Told();
            for (const auto& u : s.users) u->Stop();
            EXPECT_EQ(Damage(s.file), "") << "round " << round;
        }
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(SharedFileStart, AFifoAsTheCategoryFileDoesNotHoldUpTheEditor) {
    Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    User editor(xvfb.name(), false);
    const std::string file = editor.box().file("SHARED.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    ASSERT_TRUE(editor.Configure(file));
    const std::string categories = editor.box().file("SHARED.QTC");
    ASSERT_EQ(::mkfifo(categories.c_str(), 0600), 0);
    editor.Start(file);
    EXPECT_TRUE(WaitFor([&] { return editor.Up(); }, 20s)) << "the start hung on the FIFO\n" << editor.Told();
    editor.Stop();
    struct stat st {};
    ASSERT_EQ(::stat(categories.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "replaced by a file";
}

}  // namespace
}  // namespace tessaro::testing
