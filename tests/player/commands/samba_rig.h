#pragma once
// A private SMB server and a private desktop session for network-drive tests: smbd on a
// loopback address, port 445, with its own smb.conf and a tdbsam user (this process's
// user), and a session bus whose GVfs daemons (activated on demand) mount shares, with
// FUSE folders under a temporary XDG_RUNTIME_DIR. This process talks to that bus.
// `skipReason` says why the rig could not start (no root, no smbd, no GVfs, ...).
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/wait_for.h"

namespace tessaro::testing {

class SambaRig {
public:
    static constexpr const char* kPassword = "Pa55-word";
    std::string skipReason;
    std::string address;  // the loopback address smbd listens on
    std::string user;
    std::string dir;

    SambaRig() {
        if (::geteuid() != 0) {
            skipReason = "smbd needs root to bind port 445 and to serve a system user";
            return;
        }
        for (const char* tool : {"/usr/sbin/smbd", "/usr/bin/smbpasswd", "/usr/bin/dbus-daemon",
                                 "/usr/libexec/gvfsd", "/usr/libexec/gvfsd-smb"})
            if (::access(tool, X_OK) != 0) {
                skipReason =
                    std::string(tool) + " is not installed (packages samba, gvfs-backends, dbus-daemon)";
                return;
            }
        address = FreeLoopback();
        if (address.empty()) {
            skipReason = "no loopback address with port 445 free";
            return;
        }
        std::string tmpl = (std::filesystem::temp_directory_path() / "tessaro-smb-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) {
            skipReason = "no temporary folder";
            return;
        }
        dir = tmpl;
        user = ::getpwuid(::geteuid())->pw_name;
        for (const char* sub : {"share", "private", "state", "cache", "lock", "run", "xdg", "home"})
            std::filesystem::create_directories(dir + "/" + sub);
        std::filesystem::permissions(dir + "/xdg", std::filesystem::perms::owner_all);
        std::ofstream(dir + "/share/hello.txt") << "hello from the share\n";
        WriteConfig();
        if (Run({"smbpasswd", "-c", dir + "/smb.conf", "-s", "-a", user},
                std::string(kPassword) + "\n" + kPassword + "\n") != 0) {
            skipReason = "smbpasswd could not add the test user";
            return;
        }
        smbd_.emplace(std::vector<std::string>{"smbd", "-F", "--no-process-group", "-s", dir + "/smb.conf"},
                      Daemon({}, dir + "/smbd.out"));
        bus_.emplace(std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--nopidfile",
                                              "--address=unix:path=" + dir + "/bus"},
                     Daemon({"XDG_RUNTIME_DIR=" + dir + "/xdg", "HOME=" + dir + "/home"}, dir + "/bus.out"));
        if (!WaitFor([&] { return Listening(); })) {
            skipReason = "smbd did not start (see " + dir + "/smbd.out)";
            return;
        }
        if (!WaitFor([&] { return std::filesystem::exists(dir + "/bus"); })) {
            skipReason = "the session bus did not start";
            return;
        }
        ::setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + dir + "/bus").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (dir + "/xdg").c_str(), 1);
    }

    ~SambaRig() {
        // The FUSE folder first, so nothing is left mounted when the daemons go.
        if (!dir.empty()) ::umount2((dir + "/xdg/gvfs").c_str(), MNT_DETACH);
        bus_.reset();
        smbd_.reset();
        if (!dir.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        }
    }
    SambaRig(const SambaRig&) = delete;
    SambaRig& operator=(const SambaRig&) = delete;

    // Where GVfs shows a share's files when FUSE works.
    std::string FuseFolder(const std::string& share) const {
        return dir + "/xdg/gvfs/smb-share:server=" + address + ",share=" + share;
    }

private:
    std::optional<ChildProcess> smbd_, bus_;

    static bool CanBind(const std::string& ip) {
        const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(445);
        ::inet_pton(AF_INET, ip.c_str(), &a.sin_addr);
        const int one = 1;
        ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        const bool ok = ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(s);
        return ok;
    }
    // 127.0.0.2, or the next one when another rig holds it.
    static std::string FreeLoopback() {
        for (int last = 2; last < 40; ++last) {
            const std::string ip = "127.0.0." + std::to_string(last);
            if (CanBind(ip)) return ip;
        }
        return {};
    }
    bool Listening() const {
        const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(445);
        ::inet_pton(AF_INET, address.c_str(), &a.sin_addr);
        const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        ::close(s);
        return ok;
    }
    template <typename F>
    static bool WaitFor(F ready) {
        return testing::WaitFor(ready, std::chrono::seconds(10));
    }

    void WriteConfig() const {
        std::ofstream conf(dir + "/smb.conf");
        conf << "[global]\n"
             << "  interfaces = " << address << "/8\n"
             << "  bind interfaces only = yes\n"
             << "  smb ports = 445\n"
             << "  disable netbios = yes\n"
             << "  server role = standalone server\n"
             << "  passdb backend = tdbsam:" << dir << "/private/passdb.tdb\n"
             << "  private dir = " << dir << "/private\n"
             << "  state directory = " << dir << "/state\n"
             << "  cache directory = " << dir << "/cache\n"
             << "  lock directory = " << dir << "/lock\n"
             << "  pid directory = " << dir << "/run\n"
             << "  ncalrpc dir = " << dir << "/run/ncalrpc\n"
             << "  usershare path =\n"
             << "  log file = " << dir << "/smbd.log\n"
             << "  map to guest = never\n"
             << "  load printers = no\n"
             << "  printcap name = /dev/null\n"
             << "  disable spoolss = yes\n"
             << "[share]\n"
             << "  path = " << dir << "/share\n"
             << "  read only = no\n"
             << "  valid users = " << user << "\n";
    }

    // A program in a process group of its own, with `extraEnv` over this environment.
    static ChildOptions Daemon(std::vector<std::string> extraEnv, const std::string& output) {
        return ChildOptions().In("/dev/null").Out(output).ErrToOut().Env(std::move(extraEnv)).OwnGroup();
    }

    // Runs a program to its end with `input` on its standard input; its exit status.
    int Run(const std::vector<std::string>& args, const std::string& input) const {
        const std::string in = dir + "/input";
        std::ofstream(in) << input;
        const int status = RunToEnd(args, ChildOptions().In(in).Out("/dev/null"));
        std::filesystem::remove(in);
        return status;
    }
};

}  // namespace tessaro::testing
