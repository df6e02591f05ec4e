#include "tests/support/print_server.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/wait_for.h"

namespace tessaro::testing {

PrintServer::PrintServer(const std::string& root, std::initializer_list<const char*> queues) {
    for (const char* sub : {"", "/spool", "/cache", "/state", "/tmp", "/log"})
        std::filesystem::create_directories(root + sub);
    socket_ = root + "/cups.sock";
    std::ofstream(root + "/cupsd.conf") << "Listen " << socket_
                                        << "\nLogLevel warn\n<Location />\n  Order allow,deny\n  Allow all\n"
                                           "</Location>\n";
    std::ofstream(root + "/cups-files.conf")
        << "FileDevice Yes\nServerRoot " << root << "\nRequestRoot " << root << "/spool\nCacheDir " << root
        << "/cache\nStateDir " << root << "/state\nTempDir " << root << "/tmp\nErrorLog " << root
        << "/log/error_log\nAccessLog " << root << "/log/access_log\nPageLog " << root << "/log/page_log\n";
    {
        std::ofstream printers(root + "/printers.conf");
        for (const char* name : queues)
            printers << "<Printer " << name
                     << ">\nDeviceURI file:///dev/null\nState Idle\nAccepting Yes\nShared No\n</Printer>\n";
    }
    std::filesystem::permissions(root + "/printers.conf",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"cupsd", "-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
    if (!WaitFor([&] { return std::filesystem::exists(socket_) || server_->Exited(); },
                 std::chrono::seconds(10)) ||
        !std::filesystem::exists(socket_))
        return;
    ::setenv("CUPS_SERVER", socket_.c_str(), 1);
    ready_ = true;
}

PrintServer::~PrintServer() {
    ::unsetenv("CUPS_SERVER");
    server_.reset();
}

}  // namespace tessaro::testing
