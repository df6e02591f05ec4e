#include "player/commands/desktop_families.h"

#include "platform/desktop.h"
#include "platform/platform.h"
#include "platform/power.h"
#include "platform/printers.h"
#include "platform/system_settings.h"
#include "platform/window_control.h"
#include "player/commands/system.h"
#include "player/commands/waits.h"

namespace tessaro {

void RegisterDesktopFamilies(CommandFamilies& families, win::Platform& platform, TGlobData& glob,
                             PeerLink& link, WaitReports& reports) {
    win::Desktop& desktop = platform.desktop();
    families.Register(CommandFamilyId::Waits, std::make_unique<WaitsFamily>(glob, link, desktop, reports));
    families.Register(CommandFamilyId::ProgramsWindowsSystem,
                      std::make_unique<ProgramsWindowsSystemFamily>(SystemServices{
                          desktop, platform.windowControl(), platform.systemSettings(), platform.printers(),
                          platform.power(), glob, link, LibraryHookCalls()}));
}

}  // namespace tessaro
