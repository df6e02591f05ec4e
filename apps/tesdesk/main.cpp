#include "apps/display_check.h"
#include "editor/explorer/editor_app.h"
#include "foundation/ras.h"
#include "platform/x11/x11_platform.h"

int main(int argc, char** argv) {
    const std::unique_ptr<win::Platform> platform = win::x11::OpenPlatform();
    if (!platform) return tessaro::NoDisplay("tesdesk");
    if (const std::optional<std::string> other = tessaro::ForeignPlatform(argc, argv))
        return tessaro::ForeignPlatformRefused("tesdesk", *other);
    const tessaro::RasBinding dialUp;
    return tessaro::RunEditor(argc, argv, *platform);
}
