#include "apps/display_check.h"
#include "foundation/ras.h"
#include "platform/x11/x11_platform.h"
#include "player/ui/player_app.h"

int main(int argc, char** argv) {
    const std::unique_ptr<win::Platform> platform = win::x11::OpenPlatform();
    if (!platform) return tessaro::NoDisplay("tesrun");
    if (const std::optional<std::string> other = tessaro::ForeignPlatform(argc, argv))
        return tessaro::ForeignPlatformRefused("tesrun", *other);
    const tessaro::RasBinding dialUp;
    return tessaro::RunPlayer(argc, argv, *platform);
}
