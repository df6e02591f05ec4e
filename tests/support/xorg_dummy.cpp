#include "tests/support/xorg_dummy.h"

#include <fstream>

#include "tests/support/wait_for.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

constexpr const char* kConfig = R"(Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 32768
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0 - 1000.0
    VertRefresh 5.0 - 200.0
    Option "DefaultModes" "false"
    Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
    Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
    Modeline "640x480" 25.18 640 656 752 800 480 490 492 525 -hsync -vsync
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1024x768" "800x600" "640x480"
        Virtual 1024 768
    EndSubSection
EndSection
Section "ServerFlags"
    Option "AutoAddDevices" "false"
EndSection
)";

}  // namespace

XorgDummy::XorgDummy(const std::string& dir) {
    const std::string config = dir + "/xorg.conf";
    std::ofstream(config) << kConfig;
    name_ = StartOnFreeDisplay([&](unsigned number) { return Start(dir, config, number); });
}

XorgDummy::~XorgDummy() = default;

bool XorgDummy::Start(const std::string& dir, const std::string& config, unsigned number) {
    const std::string display = ":" + std::to_string(number);
    // It logs to its file.
    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xorg", display, "-config", config, "-logfile", dir + "/xorg.log",
                                 "-noreset", "-nolisten", "tcp", "-novtswitch", "-sharevts"},
        ChildOptions().Out("/dev/null").ErrToOut());
    bool answers = false;
    WaitFor([&] { return (answers = DisplayAnswers(display)) || server_->Exited(); },
            std::chrono::seconds(10), std::chrono::milliseconds(100));
    if (!answers) server_.reset();
    return answers;
}

}  // namespace tessaro::testing
