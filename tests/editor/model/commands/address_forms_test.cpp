#include "editor/model/commands/address_forms.h"

#include <gtest/gtest.h>

#include "form_round_trip.h"

namespace tessaro {
namespace {

TEST(RecipientListModel, SortedWithoutRegardToCase) {
    RecipientListModel list({"bob|b@x", "Alice|a@x", "|zed@x", "carol|c@x", "Bob|B@x"});
    // Equal lines but for case keep their order; "|" sorts after the letters.
    EXPECT_EQ(list.Lines(),
              (std::vector<std::string>{"Alice|a@x", "bob|b@x", "Bob|B@x", "carol|c@x", "|zed@x"}));
    EXPECT_EQ(list.Add("BETTY|bt@x"), 1);
    EXPECT_EQ(list.Add("zoe|z@x"), 5);
    EXPECT_EQ(list.Add("bob|b@x"), 4);  // after its equals
    // A modified entry keeps its place until the list is loaded again.
    list.Modify(1, "Zack|zk@x");
    EXPECT_EQ(list.Lines()[1], "Zack|zk@x");
    list.Modify(99, "ignored");
    EXPECT_EQ(list.Lines().size(), 8u);
}

TEST(RecipientListModel, DeleteMovesTheSelection) {
    RecipientListModel list({"a|1", "b|2", "c|3"});
    EXPECT_EQ(list.Delete(1), 1);   // the entry now at the same place
    EXPECT_EQ(list.Delete(1), 0);   // the last one: the new last
    EXPECT_EQ(list.Delete(0), -1);  // the only one: nothing
    EXPECT_TRUE(list.Lines().empty());
    EXPECT_EQ(list.Delete(0), -1);
}

TEST(AnAddress, ChecksAndTheEntry) {
    AddressCheck c = CheckAnAddress("  Ann Lee ", " ann@x.org ");
    EXPECT_FALSE(c.error);
    EXPECT_FALSE(c.askNoAt);
    EXPECT_EQ(c.entry, "Ann Lee|ann@x.org");
    c = CheckAnAddress("", "ann.x.org");
    EXPECT_TRUE(c.askNoAt);
    EXPECT_EQ(c.entry, "|ann.x.org");
    c = CheckAnAddress("Ann", "   ");
    ASSERT_TRUE(c.error);
    EXPECT_EQ(c.error->message, "No e-mail address specified.  Please correct.");
    EXPECT_EQ(c.error->focus, "EMailAddress");
    // What would split the entry inside an e-mail command.
    c = CheckAnAddress("A;B", "a@x");
    ASSERT_TRUE(c.error);
    EXPECT_EQ(c.error->message, testing::BadChar(';'));
    EXPECT_EQ(c.error->focus, "EMailName");
    c = CheckAnAddress("A|B", "a@x");
    ASSERT_TRUE(c.error);
    EXPECT_EQ(c.error->message, testing::BadChar('|'));
    c = CheckAnAddress("A", "a@x;b@x");
    ASSERT_TRUE(c.error);
    EXPECT_EQ(c.error->focus, "EMailAddress");
    EXPECT_FALSE(CheckAnAddress("A", "a|b@x").error);  // the address is all after the first "|"
    // A long name never cuts the address off the entry.
    EXPECT_EQ(CheckAnAddress(std::string(200, 'n'), std::string(200, 'a') + "@x").entry,
              std::string(200, 'n') + "|" + std::string(200, 'a') + "@x");
}

}  // namespace
}  // namespace tessaro
