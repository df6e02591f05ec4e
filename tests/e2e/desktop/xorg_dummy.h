#pragma once
// A private X server on the dummy video driver, whose output offers three display modes
// (1024x768, 800x600, 640x480 at 60 Hz): the test bed for display mode changes, which
// Xvfb cannot make. name() is empty when the server could not be started.
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace tessaro::testing {

class XorgDummy {
public:
    // `dir` holds the configuration and the log.
    explicit XorgDummy(const std::string& dir) {
        const std::string config = dir + "/xorg.conf";
        std::ofstream(config) << kConfig;
        std::random_device random;
        for (int attempt = 0; attempt < 5 && name_.empty(); ++attempt)
            Start(dir, config, 200 + random() % 3800);
    }
    ~XorgDummy() { Stop(); }
    XorgDummy(const XorgDummy&) = delete;
    XorgDummy& operator=(const XorgDummy&) = delete;

    const std::string& name() const { return name_; }

private:
    static constexpr const char* kConfig = R"(Section "Device"
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

    void Start(const std::string& dir, const std::string& config, unsigned number) {
        Stop();
        const std::string display = ":" + std::to_string(number);
        pid_ = ::fork();
        if (pid_ == 0) {
            const std::string log = dir + "/xorg.log";
            const int null = ::open("/dev/null", O_WRONLY);  // it logs to its file
            ::dup2(null, 1);
            ::dup2(null, 2);
            ::execlp("Xorg", "Xorg", display.c_str(), "-config", config.c_str(), "-logfile", log.c_str(),
                     "-noreset", "-nolisten", "tcp", "-novtswitch", "-sharevts", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 100; ++i) {
            if (Display* d = XOpenDisplay(display.c_str())) {
                XCloseDisplay(d);
                name_ = display;
                return;
            }
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return;
            }
            ::usleep(100'000);
        }
    }
    void Stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

    pid_t pid_ = -1;
    std::string name_;
};

}  // namespace tessaro::testing
