// The tool dialogs as they come up: centred on the screen rather than over their owner,
// the remapper's grids whole, Sort Order's arrows only for a selected entry, and Quick
// Info with the programs' own icons.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <memory>

#include "tests/support/held_press.h"
#include "editor/explorer/tools/macro_exchange_dialogs.h"
#include "editor/explorer/tools/options_dialogs.h"
#include "editor/explorer/tools/small_dialogs.h"
#include "editor/explorer/tools/sort_order_dialog.h"
#include "editor/explorer/tools/swap_dialogs.h"
#include "platform/message_box.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"
#include "tests/support/visible_form.h"
#include "widgets/program_icons.h"

namespace tessaro {
namespace {

class NoResort : public ListOrderHost {
public:
    void ResortKeepingCurrent() override {}
};

using testing::HeldClick;

// The picture under build/screens/; a person sees every caption whole and every control
// inside the window.
void SaveScreen(QWidget& w, const std::string& name) {
    const auto screens = std::filesystem::path(TESSARO_TEST_BIN_DIR) / ".." / "screens";
    std::filesystem::create_directories(screens);
    EXPECT_TRUE(w.grab().save(QString::fromStdString((screens / (name + ".png")).string()))) << name;
    for (const std::string& fault : testing::VisibleFaults(w)) ADD_FAILURE() << name << ": " << fault;
}

QImage Face(const QIcon& icon) { return icon.pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32); }

// A base constructed before the members, so the application exists before the first widget.
struct QtAppFirst {
    QtAppFirst() { EnsureQtApplication(); }
};

struct ToolPlacement : ::testing::Test, QtAppFirst {
    ToolPlacement() {
        owner.setGeometry(10, 10, 200, 120);  // in a corner: centring over it is not centring
        owner.show();
    }
    // Shows the dialog and checks it stands, frame included, in the middle of the screen.
    void ExpectCentred(QWidget& dialog, const std::string& name) {
        dialog.show();
        QApplication::processEvents();
        const QRect s = QGuiApplication::primaryScreen()->geometry();
        const QSize outer = dialog.frameGeometry().size();
        EXPECT_EQ(dialog.pos(), QPoint((s.width() - outer.width()) / 2, (s.height() - outer.height()) / 2))
            << name;
        EXPECT_LE(dialog.frameGeometry().width(), 800) << name;
        EXPECT_LE(dialog.frameGeometry().height(), 600) << name;
        dialog.hide();
    }
    testing::TempDir dir;
    TConfigRecord config{};
    QWidget owner;
    NoResort host;
    PeerNotify silent = [](std::uint32_t, std::int32_t) {};
    win::ScopedMessageBoxHandler boxes{[](const win::MessageBoxCall&) { return win::MbResult::Ok; }};
};

TEST_F(ToolPlacement, DialogsComeUpInTheMiddleOfTheScreen) {
    TMacroRecord macro{};
    macro.IconName.assign("MAIN");
    TQuickInfo info(&owner, macro, dir.path(), "");
    ExpectCentred(info, "Quick Info");
    TDoOutput output(
        &owner, {macro}, [](const TMacroRecord&) { return std::string(); }, dir.file("x.qtm"));
    ExpectCentred(output, "Output");
    TMyExport exportDialog(&owner, dir.file("x.qtm"));
    ExpectCentred(exportDialog, "Export");
    TPreference settings(&owner, config, silent);
    ExpectCentred(settings, "Settings");
    TSnipraOptions snipras(&owner, config, silent);
    ExpectCentred(snipras, "Snipra Options");
    TCaptureDefaults capture(&owner, config, silent);
    ExpectCentred(capture, "Capture Defaults");
    TSortOrder sort(&owner, config, silent, host);
    ExpectCentred(sort, "Sort Order");
    TDoSwapKeys remapper(&owner, dir.file("x.qts"), silent);
    ExpectCentred(remapper, "Keyboard Remapper");
}

TEST_F(ToolPlacement, SortArrowsWaitForARealSelection) {
    config.PrimarySort.assign("123");
    config.ActivationSort.assign("12345");
    config.ScopeSort.assign("12345");
    TSortOrder sort(&owner, config, silent, host);
    sort.show();
    QApplication::processEvents();
    // Tabbing into a list makes an entry current without selecting it.
    sort.Activation->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    for (QPushButton* b :
         {sort.PrimaryUp, sort.PrimaryDown, sort.ActUp, sort.ActDown, sort.ScopeUp, sort.ScopeDown})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    // A click on the second entry: both ways are open.
    HeldClick(sort.Activation->viewport(),
              sort.Activation->visualItemRect(sort.Activation->item(1)).center());
    EXPECT_TRUE(sort.ActUp->isEnabled());
    EXPECT_TRUE(sort.ActDown->isEnabled());
    HeldClick(sort.ActUp, sort.ActUp->rect().center());
    EXPECT_EQ(sort.Activation->selectedItems().size(), 1);
    EXPECT_EQ(sort.Activation->row(sort.Activation->selectedItems().first()), 0);
    EXPECT_FALSE(sort.ActUp->isEnabled());
    EXPECT_TRUE(sort.ActDown->isEnabled());
    SaveScreen(sort, "TSortOrder");
}

TEST_F(ToolPlacement, RemapperGridsShowBothColumnsWithoutSideways) {
    TDoSwapKeys remapper(&owner, dir.file("x.qts"), silent);
    remapper.show();
    QApplication::processEvents();
    for (QTableWidget* grid :
         {remapper.UpperGrid, remapper.LowerGrid, remapper.PunctGrid, remapper.NumGrid}) {
        const std::string name = grid->objectName().toStdString();
        EXPECT_FALSE(grid->horizontalScrollBar()->isVisible()) << name;
        EXPECT_GE(grid->viewport()->width(), grid->columnViewportPosition(1) + grid->columnWidth(1)) << name;
    }
    SaveScreen(remapper, "TDoSwapKeys");
}

TEST_F(ToolPlacement, QuickInfoShowsTheDefaultIconOfItsKind) {
    ASSERT_NE(Face(MainIcon()), Face(MenuIcon()));
    TMacroRecord macro{};
    macro.IconName.assign("MAIN");
    TQuickInfo plain(&owner, macro, dir.path(), "");
    EXPECT_EQ(Face(plain.IconButton->icon()), Face(MainIcon()));
    macro.IconName.assign("MENU");
    macro.Scope = scPopupMenu;
    TQuickInfo menu(&owner, macro, dir.path(), "");
    EXPECT_EQ(Face(menu.IconButton->icon()), Face(MenuIcon()));
    menu.show();
    QApplication::processEvents();
    SaveScreen(menu, "TQuickInfo-menu");
}

}  // namespace
}  // namespace tessaro
