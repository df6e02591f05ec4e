#include "player/engine/hook_peer_link.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "foundation/start_gate.h"
#include "hook/master_block.h"
#include "platform/sim/sim_messages.h"
#include "platform/messages.h"
#include "platform/single_instance.h"
#include "protocol/glob_data.h"
#include "protocol/window_messages.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

struct Got {
    std::uint32_t msg, w;
    std::int32_t l;
    bool operator==(const Got&) const = default;
};

class HookPeerLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
        hook::DetachMaster();
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "hook_peer_link_test";
            static char* argv[] = {name, nullptr};
            static QCoreApplication app(argc, argv);
        }
    }
    void TearDown() override { hook::DetachMaster(); }

    // A window that records what reaches it, standing for the editor's main window.
    std::unique_ptr<win::MessageWindow> Window(std::vector<Got>& got) {
        return std::make_unique<win::MessageWindow>(messages,
                                                    [&got](std::uint32_t m, std::uint32_t w, std::int32_t l) {
                                                        got.push_back({m, w, l});
                                                        return 0;
                                                    });
    }

    testing::TempDir dir;
    win::sim::SimMessages messages;
};

TEST_F(HookPeerLinkTest, NoticesGoOnlyToTheWindowTheEditorRegistered) {
    std::vector<Got> bystander, editor;
    auto other = Window(bystander);  // e.g. a window titled "... Tessaro Editor ..." of someone else
    auto editorWindow = Window(editor);

    HookPeerLink link(messages);
    link.NotifyEditor(puMacroChanged, 3);  // no editor registered yet: nothing is posted
    QCoreApplication::processEvents();
    EXPECT_TRUE(bystander.empty());

    win::SingleInstance guard(kEditorInstanceName);
    ASSERT_TRUE(guard.acquired());
    ASSERT_TRUE(guard.RecordWindow(editorWindow->hwnd()));
    link.NotifyEditor(puMacroChanged, 3);
    link.NotifyEditor(puPullGroup, ggNumKeys);
    QCoreApplication::processEvents();
    EXPECT_EQ(editor, (std::vector<Got>{{WM_PEER_UPDATE, puMacroChanged, 3},
                                        {WM_PEER_UPDATE, puPullGroup, ggNumKeys}}));
    EXPECT_TRUE(bystander.empty());
    EXPECT_EQ(link.EditorWindow(), editorWindow->hwnd());
}

TEST_F(HookPeerLinkTest, PushedGroupsComeBackThroughThePull) {
    auto mine = std::make_unique<TGlobData>();
    auto other = std::make_unique<TGlobData>();
    mine->MacroCount = 17;
    mine->ActivationCode[4] = 300;
    mine->ActivationCode[5] = 301;
    HookPeerLink link(messages);
    link.Push(*mine, ggNumKeys);
    link.Push(*mine, ggItem, 4);
    link.Push(*mine, ggItem, 0);  // no such slot
    link.Push(*mine, 15);         // no such group
    link.Push(*mine, -1);

    link.Pull(*other, ggNumKeys);
    link.Pull(*other, ggItem, 4);
    link.Pull(*other, ggItem, 5);  // never pushed
    EXPECT_EQ(+other->MacroCount, 17);
    EXPECT_EQ(+other->ActivationCode[4], 300);
    EXPECT_EQ(+other->ActivationCode[5], 0);
}

}  // namespace
}  // namespace tessaro
