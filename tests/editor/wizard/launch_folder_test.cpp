// A folder typed with a trailing slash is written as typed, by the launch function's folder
// page and by the file function's change of folder.
#include <QApplication>
#include <fstream>
#include <string>

#include "macro/macro_record.h"
#include "tests/editor/wizard/wizard_form_fixture.h"
#include "tests/editor/wizard/wizard_walk.h"

namespace tessaro {
namespace {

class LaunchFolder : public testing::WizardFormTest {};

TEST_F(LaunchFolder, AFolderKeepsItsTrailingSlash) {
    const std::string folder = dir + "/";
    const std::string program = dir + "/tool";
    std::ofstream(program) << "x";
    const testing::WalkPlaces places{dir, "", "", "", "", "", program};

    auto form = Open(4);
    const auto launch = [&](TQuickWiz& f, int page) {
        if (page == 30) testing::Click(f, "P30LaunchOnly");
        if (page == 31) {
            testing::Click(f, "P31Yes");
            testing::TypeInto(f, "P31Path", QString::fromStdString(folder));
        }
    };
    ASSERT_TRUE(testing::WalkToFinish(*form, places, {.choose = launch})) << LastText();
    EXPECT_EQ(GetMacroText(rec), "<CHDIR:" + folder + "><LAUNCH:" + program + ">");

    form = Open(11);
    const auto changeTo = [&](TQuickWiz& f, int page) {
        if (page == 48) testing::Click(f, "P48ChangeDir");
        if (page == 49) testing::TypeInto(f, "P49Path", QString::fromStdString(folder));
    };
    ASSERT_TRUE(testing::WalkToFinish(*form, places, {.choose = changeTo})) << LastText();
    EXPECT_EQ(GetMacroText(rec), "<CHDIR:" + folder + ">");
}

}  // namespace
}  // namespace tessaro
