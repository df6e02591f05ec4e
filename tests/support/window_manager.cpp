#include "tests/support/window_manager.h"

#include <X11/Xatom.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "tests/support/wait_for.h"

namespace tessaro::testing {

WindowManager::WindowManager(const std::string& display)
    : process_({"openbox", "--sm-disable"},
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

}  // namespace

WindowManager::Hold::Hold(pid_t manager) : manager_(manager) {
    if (manager_ <= 0 || ::kill(manager_, SIGSTOP) != 0) return;
    held_ = WaitFor([&] { return ProcessState(manager_) == "T"; }, std::chrono::seconds(10));
}

WindowManager::Hold::~Hold() {
    if (manager_ > 0) ::kill(manager_, SIGCONT);
}

}  // namespace tessaro::testing
