#include "editor/model/macro_forms/window_routing.h"

#include "hook/qtmhook.h"
#include "protocol/window_messages.h"

namespace tessaro {

void SetSecWind(TGlobData& glob, std::uint32_t window, bool on, const PeerNotify& notify) {
    glob.SecWnd = window;
    glob.SecWndOn = on ? 1 : 0;
    QtmUpWindow2(&glob);
    notify(puPullGroup, ggWindow2);
}

void SetCapWind(TGlobData& glob, std::uint32_t window, bool on, const PeerNotify& notify) {
    glob.CapWnd = window;
    glob.CapWndOn = on ? 1 : 0;
    QtmUpWindow2(&glob);
    notify(puPullGroup, ggWindow2);
}

}  // namespace tessaro
