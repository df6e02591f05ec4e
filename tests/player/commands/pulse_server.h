#pragma once
// A private sound server for tests: PulseAudio with one null sink, its socket in a
// temporary folder. This process (and every child) reaches it through PULSE_SERVER, and
// ALSA's "default" mixer through the pulse plug-in named in a private ~/.asoundrc.
#include <chrono>
#include <cstdint>
#include <optional>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/wait_for.h"
#include "tests/support/wav_file.h"

namespace tessaro::testing {

class PulseServer {
public:
    static constexpr const char* kSink = "tessaro_null";

    PulseServer() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tessaro-pulse-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) return;
        dir_ = tmpl;
        std::ofstream(dir_ + "/.asoundrc") << "pcm.!default { type pulse }\nctl.!default { type pulse }\n";
        Remember("PULSE_SERVER");
        Remember("HOME");
        const std::string socket = dir_ + "/native";
        std::vector<std::string> args = {"pulseaudio",
                                         "-n",
                                         "--daemonize=no",
                                         "--exit-idle-time=-1",
                                         "--use-pid-file=no",
                                         "--disable-shm=yes",
                                         "--log-target=stderr",
                                         "-L",
                                         "module-native-protocol-unix socket=" + socket + " auth-anonymous=1",
                                         "-L",
                                         std::string("module-null-sink sink_name=") + kSink};
        server_.emplace(std::move(args),
                        ChildOptions()
                            .Out("/dev/null")
                            .Err(dir_ + "/pulse.log")
                            .Env({"HOME=" + dir_, "XDG_RUNTIME_DIR=" + dir_, "PULSE_SERVER"}));
        ::setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
        ::setenv("HOME", dir_.c_str(), 1);
        ready_ = server_->started() &&
                 WaitFor([] { return Pactl("info").find("Server Name") != std::string::npos; },
                         std::chrono::seconds(5));
    }
    ~PulseServer() {
        Stop();
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    bool ready() const { return ready_; }
    void Stop() { server_.reset(); }

    // pactl's output for `args` (the server of this process).
    static std::string Pactl(const std::string& args) {
        std::string out;
        if (FILE* p = ::popen(("pactl " + args + " 2>&1").c_str(), "r")) {
            char buf[512];
            while (std::fgets(buf, sizeof buf, p)) out += buf;
            ::pclose(p);
        }
        return out;
    }
    // The null sink's volume of its first channel, in PulseAudio units (65536 = 100 %).
    static long SinkVolume() {
        const std::string out = Pactl(std::string("get-sink-volume ") + kSink);
        const auto colon = out.find("front-left:");
        return colon == std::string::npos ? -1 : std::strtol(out.c_str() + colon + 11, nullptr, 10);
    }
    static bool SinkMuted() {
        return Pactl(std::string("get-sink-mute ") + kSink).find("yes") != std::string::npos;
    }
    static int SinkInputs() {
        const std::string out = Pactl("list short sink-inputs");
        int lines = 0;
        for (char c : out) lines += c == '\n';
        return lines;
    }

private:
    void Remember(const char* name) {
        const char* v = std::getenv(name);
        saved_.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
    }
    std::string dir_;
    std::optional<ChildProcess> server_;
    bool ready_ = false;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace tessaro::testing
