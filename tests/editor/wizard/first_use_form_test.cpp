#include <QCheckBox>

#include "editor/wizard/t_quick_wiz.h"
#include "foundation/settings.h"
#include "protocol/window_messages.h"
#include "tests/editor/wizard/wizard_form_fixture.h"

namespace tessaro {
namespace {

using testing::WizardFormTest;

class FirstUseForm : public WizardFormTest {};

TEST_F(FirstUseForm, TheWelcomeBoxSavesTheStartupChoiceOnEveryClickOnly) {
    config->FirstUse = true;
    TQuickWiz form(*ctx, Hosts(), 28);
    form.show();
    QApplication::processEvents();
    ASSERT_EQ(form.CurrentPage(), 65);
    auto* box = form.Control<QCheckBox>("P65Show");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isChecked()) << "first use: the welcome shows on startup";
    EXPECT_TRUE(posted.empty()) << "presetting the box saves nothing";

    box->click();
    EXPECT_FALSE(config->FirstUse);
    auto stored = std::make_unique<TConfigRecord>();
    stored->FirstUse = true;
    LoadMiscSettings(*stored);
    EXPECT_FALSE(stored->FirstUse);
    const std::pair<std::uint32_t, std::int32_t> misc{puSettingsMisc, 0};
    EXPECT_EQ(posted, (std::vector<std::pair<std::uint32_t, std::int32_t>>{misc}));

    box->click();
    EXPECT_TRUE(config->FirstUse);
    LoadMiscSettings(*stored);
    EXPECT_TRUE(stored->FirstUse);
    EXPECT_EQ(posted, (std::vector<std::pair<std::uint32_t, std::int32_t>>{misc, misc}));

    // Setting the box from code, as the presets do, is no click.
    box->setChecked(false);
    EXPECT_EQ(posted.size(), 2u);
}

}  // namespace
}  // namespace tessaro
