#pragma once
// A print server of its own in a temporary folder, with queues that print nowhere; the
// print system's clients of this process talk to it while it lives.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <thread>

namespace tessaro::testing {

class PrintServer {
public:
    PrintServer(const std::string& root, std::initializer_list<const char*> queues) {
        for (const char* sub : {"", "/spool", "/cache", "/state", "/tmp", "/log"})
            std::filesystem::create_directories(root + sub);
        socket_ = root + "/cups.sock";
        std::ofstream(root + "/cupsd.conf")
            << "Listen " << socket_
            << "\nLogLevel warn\n<Location />\n  Order allow,deny\n  Allow all\n"
               "</Location>\n";
        std::ofstream(root + "/cups-files.conf")
            << "FileDevice Yes\nServerRoot " << root << "\nRequestRoot " << root << "/spool\nCacheDir "
            << root << "/cache\nStateDir " << root << "/state\nTempDir " << root << "/tmp\nErrorLog " << root
            << "/log/error_log\nAccessLog " << root << "/log/access_log\nPageLog " << root
            << "/log/page_log\n";
        {
            std::ofstream printers(root + "/printers.conf");
            for (const char* name : queues)
                printers
                    << "<Printer " << name
                    << ">\nDeviceURI file:///dev/null\nState Idle\nAccepting Yes\nShared No\n</Printer>\n";
        }
        std::filesystem::permissions(root + "/printers.conf", std::filesystem::perms::owner_read |
                                                                  std::filesystem::perms::owner_write);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::execlp("cupsd", "cupsd", "-f", "-c", (root + "/cupsd.conf").c_str(), "-s",
                     (root + "/cups-files.conf").c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 100 && !std::filesystem::exists(socket_); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!std::filesystem::exists(socket_)) return;
        ::setenv("CUPS_SERVER", socket_.c_str(), 1);
        ready_ = true;
    }
    ~PrintServer() {
        ::unsetenv("CUPS_SERVER");
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    PrintServer(const PrintServer&) = delete;
    PrintServer& operator=(const PrintServer&) = delete;

    bool ready() const { return ready_; }

private:
    std::string socket_;
    pid_t pid_ = -1;
    bool ready_ = false;
};

}  // namespace tessaro::testing
