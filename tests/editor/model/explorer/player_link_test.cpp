#include "editor/model/explorer/player_link.h"

#include <gtest/gtest.h>

#include <memory>

#include "explorer_rig.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

using testing::Notice;
using testing::RecordingPlayerLink;

TEST(PlayerLink, EachRoutinePushesItsGroupThenTellsThePlayer) {
    auto glob = std::make_unique<TGlobData>();
    RecordingPlayerLink link;
    UpCapture(*glob, link);
    UpCaptureOn(*glob, link);
    UpNumKeys(*glob, link);
    SetSecWind(*glob, link, 42, true);
    EXPECT_EQ(+glob->SecWnd, 42u);
    EXPECT_EQ(+glob->SecWndOn, 1);
    SetCapWind(*glob, link, 43, false);
    EXPECT_EQ(+glob->CapWnd, 43u);
    EXPECT_EQ(+glob->CapWndOn, 0);
    EXPECT_EQ(link.calls, (std::vector<Notice>{{'U', ggCapture, 0},
                                               {'E', puPullGroup, ggCapture},
                                               {'U', ggCaptureOn, 0},
                                               {'E', puPullGroup, ggCaptureOn},
                                               {'U', ggNumKeys, 0},
                                               {'E', puPullGroup, ggNumKeys},
                                               {'U', ggWindow2, 0},
                                               {'E', puPullGroup, ggWindow2},
                                               {'U', ggWindow2, 0},
                                               {'E', puPullGroup, ggWindow2}}));
}

TEST(PlayerLink, SetHotKeysMarksTheCodesOfEnabledMacrosOnly) {
    auto glob = std::make_unique<TGlobData>();
    glob->MacroCount = 3;
    glob->ActivationCode[1] = 10;
    glob->Enabled[1] = 1;
    glob->ActivationCode[2] = 11;
    glob->Enabled[2] = 0;
    glob->ActivationCode[3] = acAbbreviation;
    glob->Enabled[3] = 1;
    glob->HotKeyUsed[99] = 1;  // stale
    RecordingPlayerLink link;
    SetHotKeys(*glob, link);
    EXPECT_EQ(+glob->HotKeyUsed[10], 1);
    EXPECT_EQ(+glob->HotKeyUsed[11], 0);
    EXPECT_EQ(+glob->HotKeyUsed[99], 0);
    EXPECT_EQ(+glob->HasAbbreviations, 1);
    EXPECT_EQ(link.calls, (std::vector<Notice>{{'U', ggKeys, 0}, {'E', puPullGroup, ggKeys}}));
}

}  // namespace
}  // namespace tessaro
