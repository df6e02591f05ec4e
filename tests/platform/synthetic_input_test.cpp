#include "platform/synthetic_input.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace win {
namespace {

class SyntheticInput : public ::testing::Test {
protected:
    void SetUp() override {
        // One namespace for the whole program: the notes are attached once per process.
        static const std::string ns = "synthtest-" + std::to_string(::getpid());
        ::setenv("TESSARO_NS", ns.c_str(), 1);
        ASSERT_TRUE(SyntheticNotesAvailable());
        // Notes of earlier cases are not this case's business.
        ::usleep(30 * 1000);
    }
    void TearDown() override { ::unsetenv("TESSARO_NS"); }

    static constexpr int kRecent = 20;  // ms: notes of this case only
};

TEST_F(SyntheticInput, ANoteExcusesExactlyOneMatchingEvent) {
    NoteSyntheticInput(SyntheticKind::KeyDown, 38, 65);
    NoteSyntheticInput(SyntheticKind::KeyDown, 38, 65);
    unsigned vk = 0;
    EXPECT_TRUE(ClaimSyntheticInput(SyntheticKind::KeyDown, 38, kRecent, &vk));
    EXPECT_EQ(vk, 65u);
    EXPECT_TRUE(ClaimSyntheticInput(SyntheticKind::KeyDown, 38, kRecent));
    EXPECT_FALSE(ClaimSyntheticInput(SyntheticKind::KeyDown, 38, kRecent));

    NoteSyntheticInput(SyntheticKind::Motion);
    EXPECT_TRUE(ClaimSyntheticInput(SyntheticKind::Motion, 0, kRecent));
    EXPECT_FALSE(ClaimSyntheticInput(SyntheticKind::Motion, 0, kRecent));
}

TEST_F(SyntheticInput, AnotherKeycodeButtonOrKindIsNotExcused) {
    NoteSyntheticInput(SyntheticKind::KeyDown, 38, 65);
    NoteSyntheticInput(SyntheticKind::ButtonDown, 1);
    EXPECT_FALSE(ClaimSyntheticInput(SyntheticKind::KeyDown, 39, kRecent));
    EXPECT_FALSE(ClaimSyntheticInput(SyntheticKind::KeyUp, 38, kRecent));
    EXPECT_FALSE(ClaimSyntheticInput(SyntheticKind::ButtonDown, 38, kRecent));
    EXPECT_FALSE(ClaimSyntheticInput(SyntheticKind::ButtonUp, 1, kRecent));
    EXPECT_FALSE(ClaimSyntheticInput(SyntheticKind::ButtonDown, 3, kRecent));
    EXPECT_FALSE(ClaimSyntheticInput(SyntheticKind::Motion, 0, kRecent));
    // The mismatches left the notes for their own events.
    EXPECT_TRUE(ClaimSyntheticInput(SyntheticKind::KeyDown, 38, kRecent));
    EXPECT_TRUE(ClaimSyntheticInput(SyntheticKind::ButtonDown, 1, kRecent));
}

TEST_F(SyntheticInput, AnOldNoteExpires) {
    NoteSyntheticInput(SyntheticKind::KeyUp, 50, 66);
    ::usleep(40 * 1000);
    EXPECT_FALSE(ClaimSyntheticInput(SyntheticKind::KeyUp, 50, 10));
    EXPECT_EQ(SyntheticKeyVk(50, 10), 0u);
    // Expiry is the reader's window, not lost data: a reader that fell behind still finds it.
    EXPECT_TRUE(ClaimSyntheticInput(SyntheticKind::KeyUp, 50, 1000));
}

TEST_F(SyntheticInput, TheOldestMatchingNoteIsClaimedFirst) {
    NoteSyntheticInput(SyntheticKind::KeyDown, 201, 43);
    ::usleep(15 * 1000);
    NoteSyntheticInput(SyntheticKind::KeyDown, 201, 112);  // the spare keycode reused
    unsigned vk = 0;
    ASSERT_TRUE(ClaimSyntheticInput(SyntheticKind::KeyDown, 201, 1000, &vk));
    EXPECT_EQ(vk, 43u);
    ASSERT_TRUE(ClaimSyntheticInput(SyntheticKind::KeyDown, 201, 1000, &vk));
    EXPECT_EQ(vk, 112u);
}

TEST_F(SyntheticInput, SpareKeycodesAnswerTheirLatestVirtualKey) {
    NoteSyntheticInput(SyntheticKind::KeyDown, 202, 43);
    NoteSyntheticInput(SyntheticKind::KeyUp, 37, 65);
    EXPECT_EQ(SyntheticKeyVk(202, kRecent), 43u);
    EXPECT_EQ(SyntheticKeyVk(37, kRecent), 65u);
    EXPECT_EQ(SyntheticKeyVk(36, kRecent), 0u);
    NoteSyntheticInput(SyntheticKind::KeyUp, 202, 112);
    EXPECT_EQ(SyntheticKeyVk(202, kRecent), 112u);
    // A button with the same number is no key.
    NoteSyntheticInput(SyntheticKind::ButtonDown, 3);
    EXPECT_EQ(SyntheticKeyVk(3, kRecent), 0u);
}

TEST_F(SyntheticInput, TheRingKeepsTheLatestNotesWhenItWrapsAround) {
    NoteSyntheticInput(SyntheticKind::KeyDown, 150, 90);
    // Far more notes than the ring holds, so it wraps more than once.
    constexpr unsigned kMany = 10000;
    for (unsigned i = 0; i < kMany; ++i) NoteSyntheticInput(SyntheticKind::KeyUp, 10 + i % 100, 48 + i % 10);
    EXPECT_FALSE(ClaimSyntheticInput(SyntheticKind::KeyDown, 150, 1000));
    EXPECT_EQ(SyntheticKeyVk(150, 1000), 0u);
    // The newest note of keycode 10 + 99 is from i = kMany - 1.
    EXPECT_EQ(SyntheticKeyVk(10 + 99, 1000), 48u + (kMany - 1) % 10);
    // Every note the ring still holds is claimable once; the overwritten ones are gone.
    unsigned claimed = 0;
    for (unsigned code = 10; code < 110; ++code)
        while (ClaimSyntheticInput(SyntheticKind::KeyUp, code, 1000)) ++claimed;
    EXPECT_EQ(claimed, kSyntheticNotesKept);
}

TEST_F(SyntheticInput, ConcurrentReadersNeverClaimOneNoteTwice) {
    constexpr int kNotes = 200;
    for (int i = 0; i < kNotes; ++i) NoteSyntheticInput(SyntheticKind::ButtonUp, 2);
    std::vector<int> counts(4, 0);
    std::vector<std::thread> readers;
    for (int& count : counts)
        readers.emplace_back([&count] {
            while (ClaimSyntheticInput(SyntheticKind::ButtonUp, 2, 5000)) ++count;
        });
    for (auto& t : readers) t.join();
    int total = 0;
    for (int c : counts) total += c;
    EXPECT_EQ(total, kNotes);
}

}  // namespace
}  // namespace win
