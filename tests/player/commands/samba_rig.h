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
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

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
        smbd_ = Spawn({"smbd", "-F", "--no-process-group", "-s", dir + "/smb.conf"}, {}, dir + "/smbd.out");
        bus_ = Spawn(
            {"dbus-daemon", "--session", "--nofork", "--nopidfile", "--address=unix:path=" + dir + "/bus"},
            {"XDG_RUNTIME_DIR=" + dir + "/xdg", "HOME=" + dir + "/home"}, dir + "/bus.out");
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
        for (pid_t group : {bus_, smbd_})
            if (group > 0) {
                ::kill(-group, SIGTERM);
                ::waitpid(group, nullptr, 0);
            }
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
    pid_t smbd_ = -1, bus_ = -1;

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
        for (int i = 0; i < 500; ++i) {
            if (ready()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
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

    // Starts a program in a process group of its own, with `extraEnv` over this environment.
    static pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv,
                       const std::string& output) {
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e) env.emplace_back(*e);
        for (const std::string& extra : extraEnv) {
            const std::string key = extra.substr(0, extra.find('=') + 1);
            std::erase_if(env, [&](const std::string& v) { return v.starts_with(key); });
            env.push_back(extra);
        }
        std::vector<char*> argv, envp;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        for (auto& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        posix_spawnattr_t attr;
        posix_spawnattr_init(&attr);
        posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attr, 0);
        pid_t pid = -1;
        if (posix_spawnp(&pid, args[0].c_str(), &actions, &attr, argv.data(), envp.data()) != 0) pid = -1;
        posix_spawnattr_destroy(&attr);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    // Runs a program to its end with `input` on its standard input; its exit status.
    int Run(const std::vector<std::string>& args, const std::string& input) const {
        const std::string in = dir + "/input";
        std::ofstream(in) << input;
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        pid_t pid = -1;
        int status = -1;
        if (posix_spawnp(&pid, args[0].c_str(), &actions, nullptr, argv.data(), environ) == 0)
            ::waitpid(pid, &status, 0);
        posix_spawn_file_actions_destroy(&actions);
        std::filesystem::remove(in);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

}  // namespace tessaro::testing
