#include "editor/model/wizard/wizard_answers.h"

#include <gtest/gtest.h>

namespace tessaro::wizard {
namespace {

TEST(WizardAnswers, UnsetControlsReadAsEmptyAndRadioGroupsKeepOneChoice) {
    Answers a;
    EXPECT_FALSE(a.Checked("P2HotKey"));
    EXPECT_EQ(a.Text("P22URL"), "");
    EXPECT_EQ(a.Index("P3KeyList"), -1);
    EXPECT_FALSE(a.Has("P2HotKey"));

    a.Choose("P2Timed", {"P2HotKey", "P2Snipra", "P2Timed", "P2None", "P2Title"});
    a.Choose("P2None", {"P2HotKey", "P2Snipra", "P2Timed", "P2None", "P2Title"});
    EXPECT_FALSE(a.Checked("P2Timed"));
    EXPECT_EQ(a.Chosen({"P2HotKey", "P2Snipra", "P2Timed", "P2None", "P2Title"}), "P2None");

    a.Set("P3KeyList").items = {"F1", "F2"};
    EXPECT_EQ(a.ChosenItem("P3KeyList"), "");
    a.Set("P3KeyList").index = 1;
    EXPECT_EQ(a.ChosenItem("P3KeyList"), "F2");
    a.Set("P3KeyList").index = 2;  // past the end: nothing chosen
    EXPECT_EQ(a.ChosenItem("P3KeyList"), "");
}

}  // namespace
}  // namespace tessaro::wizard
