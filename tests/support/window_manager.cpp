#include "tests/support/window_manager.h"

#include <X11/Xatom.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <future>
#include <thread>
#include <sstream>

#include "tests/support/wait_for.h"

namespace tessaro::testing {

WindowManager::WindowManager(const std::string& display)
    : display_(display),
      process_({"openbox", "--sm-disable"},
               ChildOptions().Out("/dev/null").ErrToOut().Env({"DISPLAY=" + display})) {}

bool WindowManager::Running(Display* d) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    const bool ok =
        XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False), 0, 1,
                           False, XA_WINDOW, &type, &format, &n, &after, &data) == Success &&
        n == 1;
    if (data) XFree(data);
    return ok;
}

bool WindowManager::ToldFrame(Display* d, ::Window w) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    const bool told = XGetWindowProperty(d, w, XInternAtom(d, "_NET_FRAME_EXTENTS", False), 0, 4, False,
                                         XA_CARDINAL, &type, &format, &n, &after, &data) == Success &&
                      data && n == 4;
    if (data) XFree(data);
    return told;
}

bool WindowManager::Managing(Display* d, std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    const auto left = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(until -
                                                                     std::chrono::steady_clock::now());
    };
    if (!WaitFor([&] { return Running(d); }, left())) return false;
    const ::Window probe = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 8, 8, 0, 0, 0);
    const long never = 0;  // a user time of 0: not to be given the focus
    XChangeProperty(d, probe, XInternAtom(d, "_NET_WM_USER_TIME", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&never), 1);
    bool framed = false;
    while (!framed && left().count() > 0) {
        XUnmapWindow(d, probe);
        XMapWindow(d, probe);
        XSync(d, False);
        framed = WaitFor(
            [&] {
                XWindowAttributes attributes{};
                return XGetWindowAttributes(d, probe, &attributes) && attributes.map_state == IsViewable &&
                       ToldFrame(d, probe);
            },
            std::min(left(), std::chrono::milliseconds(1000)));
    }
    XDestroyWindow(d, probe);
    XSync(d, False);
    return framed;
}

namespace {

// The state letter of a process ("T" once stopped by a signal); empty when it is gone.
std::string ProcessState(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t end = line.rfind(')');  // after the command's name, which may hold blanks
    if (end == std::string::npos) return {};
    std::istringstream rest(line.substr(end + 1));
    std::string state;
    rest >> state;
    return state;
}

// True when the X server answers a client of its own in time; false while another client (a
// manager stopped inside a server grab) holds it, and then `letGo` runs before the answer,
// which comes once the holder goes on, is waited for.
bool ServerAnswers(const std::string& display, const std::function<void()>& letGo) {
    std::promise<void> answered;
    std::future<void> answer = answered.get_future();
    std::jthread ask([&] {
        if (Display* d = XOpenDisplay(display.c_str())) {
            XSync(d, False);
            XCloseDisplay(d);
        }
        answered.set_value();
    });
    if (answer.wait_for(std::chrono::milliseconds(500)) == std::future_status::ready) return true;
    letGo();
    return false;
}

}  // namespace

WindowManager::Hold::Hold(pid_t manager, const std::string& display) : manager_(manager) {
    // A manager stopped while it holds the server would stop every client: it is let go and
    // stopped again until it is caught outside a grab.
    for (int attempt = 0; attempt < 20 && !held_ && manager_ > 0; ++attempt) {
        if (::kill(manager_, SIGSTOP) != 0) return;
        if (!WaitFor([&] { return ProcessState(manager_) == "T"; }, std::chrono::seconds(10))) break;
        held_ = ServerAnswers(display, [&] { ::kill(manager_, SIGCONT); });
        if (!held_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

WindowManager::Hold::~Hold() {
    if (manager_ > 0) ::kill(manager_, SIGCONT);
}

}  // namespace tessaro::testing
