#include "platform/held_input_record.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace win {
namespace {

HeldInput Sample() {
    HeldInput held;
    held.display = ":17.0";
    held.keys = {50, 64};
    held.buttons = {1};
    held.remaps[253] = {{0, 0, 0, 0}, 0xe9};
    held.remaps[254] = {{0, 0}, 0xff62};
    return held;
}

TEST(HeldInputText, RoundTripsAndRefusesDamage) {
    const HeldInput held = Sample();
    const std::string text = FormatHeldInput(held);
    EXPECT_EQ(ParseHeldInput(text), held);
    EXPECT_EQ(ParseHeldInput(FormatHeldInput({})), HeldInput{});

    // A shorter record written over a longer one: what follows the end line is old.
    EXPECT_EQ(ParseHeldInput(text + "key 99\nremap 1"), held);

    for (const std::string& damaged :
         {std::string(), std::string("something else\nend\n"), text.substr(0, text.size() - 4),
          FormatHeldInput({}).insert(FormatHeldInput({}).find("end"), "key 300\n"),
          FormatHeldInput({}).insert(FormatHeldInput({}).find("end"), "key x\n"),
          FormatHeldInput({}).insert(FormatHeldInput({}).find("end"), "remap 12 233\n"),
          FormatHeldInput({}).insert(FormatHeldInput({}).find("end"), "press 12\n"),
          FormatHeldInput({}).insert(FormatHeldInput({}).find("end"), "key 12 13\n")})
        EXPECT_FALSE(ParseHeldInput(damaged)) << damaged;
}

class HeldInputFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tessaro-held-XXXXXX").string();
        dir_ = ::mkdtemp(tmpl.data());
        ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        ::setenv("TESSARO_NS", "heldtest", 1);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    static std::string Content() {
        std::ifstream in(HeldInputRecordPath());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string dir_;
};

TEST_F(HeldInputFile, OwnerWritesEachStateAndLeavesNothingWhenAllIsUndone) {
    HeldInput leftover = Sample();
    auto record = HeldInputRecord::Claim(leftover);
    ASSERT_TRUE(record);
    EXPECT_TRUE(leftover.empty());
    struct stat st {};
    ASSERT_EQ(::stat(HeldInputRecordPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    ASSERT_TRUE(record->Write(Sample()));
    EXPECT_EQ(ParseHeldInput(Content()), Sample());
    HeldInput less;
    less.display = ":17.0";
    less.keys = {50};
    ASSERT_TRUE(record->Write(less));
    EXPECT_EQ(ParseHeldInput(Content()), less);

    // While the owner lives nobody else may take the record for a dead player's.
    HeldInput seen;
    EXPECT_FALSE(HeldInputRecord::Claim(seen));

    ASSERT_TRUE(record->Write({}));
    record.reset();
    EXPECT_FALSE(std::filesystem::exists(HeldInputRecordPath()));
}

TEST_F(HeldInputFile, WhatADeadOwnerLeftGoesToTheNextClaim) {
    {
        HeldInput none;
        auto record = HeldInputRecord::Claim(none);
        ASSERT_TRUE(record);
        ASSERT_TRUE(record->Write(Sample()));
    }  // closed with keys still held: the file stays, as after a crash
    HeldInput leftover;
    auto next = HeldInputRecord::Claim(leftover);
    ASSERT_TRUE(next);
    EXPECT_EQ(leftover, Sample());

    // A damaged record is nothing to undo.
    next.reset();
    {
        std::ofstream out(HeldInputRecordPath(), std::ios::trunc);
        out << "tessaro held input 1\nkey 5";
    }
    auto damaged = HeldInputRecord::Claim(leftover);
    ASSERT_TRUE(damaged);
    EXPECT_TRUE(leftover.empty());
}

TEST_F(HeldInputFile, PlantedLinksAndSharedFilesAreRefusedUntouched) {
    const std::string victim = dir_ + "/victim";
    { std::ofstream(victim) << "precious"; }
    std::filesystem::create_symlink(victim, HeldInputRecordPath());
    HeldInput leftover;
    EXPECT_FALSE(HeldInputRecord::Claim(leftover));
    std::ifstream in(victim);
    std::string content;
    std::getline(in, content);
    EXPECT_EQ(content, "precious");

    std::filesystem::remove(HeldInputRecordPath());
    { std::ofstream(HeldInputRecordPath()) << FormatHeldInput(Sample()); }
    ::chmod(HeldInputRecordPath().c_str(), 0644);
    EXPECT_FALSE(HeldInputRecord::Claim(leftover));
    EXPECT_EQ(ParseHeldInput(Content()), Sample());
}

}  // namespace
}  // namespace win
