#include "editor/explorer/tools/sort_order_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

#include "protocol/window_messages.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

class Host : public ListOrderHost {
public:
    int resorts = 0;
    void ResortKeepingCurrent() override { ++resorts; }
};

TEST(SortOrderDialog, MovingNicknameUpStoresItsDigitFirst) {
    EnsureQtApplication();
    testing::TempDir dir;
    TConfigRecord config{};
    config.PrimarySort.assign("123");
    config.ActivationSort.assign("12345");
    config.ScopeSort.assign("99");  // damaged: shown in the default order
    std::vector<std::uint32_t> posts;
    Host host;
    TSortOrder dlg(
        nullptr, config, [&](std::uint32_t code, std::int32_t) { posts.push_back(code); }, host);
    EXPECT_FALSE(dlg.PrimaryUp->isEnabled());
    EXPECT_FALSE(dlg.PrimaryDown->isEnabled());
    dlg.Primary->setCurrentRow(0);
    EXPECT_FALSE(dlg.PrimaryUp->isEnabled());
    EXPECT_TRUE(dlg.PrimaryDown->isEnabled());
    dlg.Primary->setCurrentRow(1);
    dlg.Move(dlg.Primary, -1);
    EXPECT_EQ(dlg.Primary->currentRow(), 0);
    EXPECT_EQ(dlg.Primary->item(0)->text(), "Nickname");
    dlg.Scope->setCurrentRow(4);
    EXPECT_FALSE(dlg.ScopeDown->isEnabled());
    dlg.SortHeader->setChecked(true);
    dlg.OkButtonClick();
    EXPECT_EQ(config.PrimarySort.view(), "213");
    EXPECT_EQ(config.ActivationSort.view(), "12345");
    EXPECT_EQ(config.ScopeSort.view(), "12345");
    EXPECT_TRUE(config.SortHeader);
    EXPECT_EQ(posts, std::vector<std::uint32_t>{puSettingsMisc});
    EXPECT_EQ(host.resorts, 1);
}

}  // namespace
}  // namespace tessaro
