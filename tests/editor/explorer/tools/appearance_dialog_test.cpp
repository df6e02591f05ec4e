#include "editor/explorer/tools/appearance_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <vector>

#include "editor/explorer/fonts.h"
#include "foundation/settings.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"
#include "widgets/kept_text.h"

namespace tessaro {
namespace {

class Host : public AppearanceHost {
public:
    std::vector<bool> applied;
    void ApplyAppearance(bool categoriesWereShown) override { applied.push_back(categoriesWereShown); }
};

class AppearanceDialog : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        config_.ShowCategory = true;
        config_.ShowIcons = true;
        config_.UseSpeed = true;
        config_.Col1Width = 100;
        config_.CategoryWidth = 150;
        config_.GridFont.Name = "Sans";
        config_.GridFont.Size = 10;
    }
    std::unique_ptr<TDoAppear> Open(int categoryWidth = 150) {
        return std::make_unique<TDoAppear>(
            nullptr, config_, std::array<int, 3>{100, 200, 300}, categoryWidth,
            [this](std::uint32_t code, std::int32_t arg) {
                posts_.push_back({code, arg});
            },
            host_);
    }

    testing::TempDir dir_;
    TConfigRecord config_{};
    Host host_;
    std::vector<std::pair<std::uint32_t, std::int32_t>> posts_;
};

TEST_F(AppearanceDialog, ShowsTheCurrentLayoutAndAHiddenPaneAs120) {
    auto d = Open();
    EXPECT_EQ(d->Col1Wid->text(), "100");
    EXPECT_EQ(d->Col2Wid->text(), "200");
    EXPECT_EQ(d->Col3Wid->text(), "300");
    EXPECT_EQ(d->CatWid->text(), "150");
    EXPECT_TRUE(d->SpeedButtons->isChecked());
    EXPECT_TRUE(d->ShowIcons->isChecked());
    EXPECT_TRUE(d->ShowCats->isChecked());
    EXPECT_EQ(TypingLimit(*d->Col1Wid), 4);
    config_.UseSpeed = false;
    auto hidden = Open(0);
    EXPECT_EQ(hidden->CatWid->text(), "120");
    EXPECT_TRUE(hidden->LetteredButtons->isChecked());
}

TEST_F(AppearanceDialog, AFailedWidthCheckChangesNothingAndKeepsTheDialogOpen) {
    std::vector<win::MessageBoxCall> boxes;
    win::ScopedMessageBoxHandler script([&](const win::MessageBoxCall& c) {
        boxes.push_back(c);
        return win::MbResult::Ok;
    });
    const TConfigRecord before = config_;
    auto d = Open();
    d->Col2Wid->setText("abc");
    d->OkButtonClick();
    d->Col2Wid->setText("0");
    d->OkButtonClick();
    d->Col2Wid->setText("50");
    d->CatWid->setText("119");
    d->OkButtonClick();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Invalid width specified.");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[1].text, "Invalid width specified.");
    EXPECT_EQ(boxes[2].text, "Category width must be at least 120.");
    EXPECT_TRUE(host_.applied.empty());
    EXPECT_TRUE(posts_.empty());
    EXPECT_EQ(config_.Col2Width, before.Col2Width);
    EXPECT_EQ(config_.CategoryWidth, before.CategoryWidth);
    EXPECT_NE(d->result(), QDialog::Accepted);
}

TEST_F(AppearanceDialog, OkStoresSavesAndTellsThePlayerAndTheWindow) {
    auto d = Open();
    d->Col1Wid->setText("80");
    d->Col2Wid->setText("90");
    d->Col3Wid->setText("95x");
    d->CatWid->setText("10");  // not checked with the pane hidden
    d->ShowCats->setChecked(false);
    d->ShowIcons->setChecked(false);
    d->LetteredButtons->setChecked(true);
    d->OkButtonClick();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(config_.Col1Width, 80);
    EXPECT_EQ(config_.Col2Width, 90);
    EXPECT_EQ(config_.Col3Width, 95);
    EXPECT_EQ(config_.CategoryWidth, 120);
    EXPECT_FALSE(config_.ShowCategory);
    EXPECT_FALSE(config_.ShowIcons);
    EXPECT_FALSE(config_.UseSpeed);
    EXPECT_EQ(host_.applied, std::vector<bool>{true});
    EXPECT_EQ(posts_, (std::vector<std::pair<std::uint32_t, std::int32_t>>{{puSettingsMainWindow, 0}}));
    TConfigRecord saved{};
    LoadAllSettings(saved, win::kDefaultScreenSize);
    EXPECT_EQ(saved.Col3Width, 95);
    EXPECT_EQ(saved.CategoryWidth, 120);
    EXPECT_FALSE(saved.UseSpeed);
}

// Picks `font` in the font dialog once it is up.
void ChooseInFontDialog(const QFont& font) {
    QTimer::singleShot(10, [font] {
        if (auto* f = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
            f->setCurrentFont(font);
            f->accept();
            return;
        }
        ChooseInFontDialog(font);
    });
}

TEST(GridFontOnly, KeepsOnlyBold) {
    QFont fancy("Sans", 14);
    fancy.setBold(true);
    fancy.setItalic(true);
    fancy.setUnderline(true);
    fancy.setStrikeOut(true);
    const QFont kept = GridFontOnly(fancy);
    EXPECT_TRUE(kept.bold());
    EXPECT_FALSE(kept.italic());
    EXPECT_FALSE(kept.underline());
    EXPECT_FALSE(kept.strikeOut());
    EXPECT_EQ(kept.pointSize(), 14);
}

// Through the font dialog: its effects are dropped from the grid font only.
TEST_F(AppearanceDialog, TheFontButtonsEditCopiesThatOnlyOkStores) {
    auto d = Open();
    QFont fancy("Sans", 14);
    fancy.setUnderline(true);
    fancy.setStrikeOut(true);
    ChooseInFontDialog(fancy);
    d->findChild<QPushButton*>("GridFontButton")->click();
    EXPECT_FALSE(d->GridFont().underline());
    EXPECT_FALSE(d->GridFont().strikeOut());
    EXPECT_EQ(d->GridFont().pointSize(), 14);
    ChooseInFontDialog(fancy);
    d->findChild<QPushButton*>("TitleFontButton")->click();
    EXPECT_TRUE(d->TitleFont().underline());
    EXPECT_TRUE(d->TitleFont().strikeOut());
    EXPECT_EQ(config_.GridFont.Size, 10);
    d->OkButtonClick();
    EXPECT_EQ(config_.GridFont.Size, 14);
    EXPECT_FALSE(config_.GridFont.Underline);
    EXPECT_TRUE(config_.GridTitleFont.Underline);
    EXPECT_TRUE(config_.GridTitleFont.StrikeOut);
}

}  // namespace
}  // namespace tessaro
