// The file-copy command against the system's cp on the same disk: 256 MiB, target
// replaced each time.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "player/commands/file_operations.h"

extern char** environ;

namespace {

constexpr std::size_t kSize = 256u << 20;

struct Files {
    Files() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tessaro-copy-bench-XXXXXX").string();
        dir = ::mkdtemp(tmpl.data());
        source = dir + "/source.bin";
        target = dir + "/target.bin";
        std::vector<char> block(1 << 20);
        for (std::size_t i = 0; i < block.size(); ++i) block[i] = char(i * 31 + 7);
        std::ofstream out(source, std::ios::binary);
        for (std::size_t done = 0; done < kSize; done += block.size())
            out.write(block.data(), std::streamsize(block.size()));
    }
    ~Files() { std::filesystem::remove_all(dir); }
    std::string dir, source, target;
};

Files& Shared() {
    static Files files;
    return files;
}

void BM_CopyFileCommand(benchmark::State& state) {
    Files& f = Shared();
    for (auto _ : state) {
        if (tessaro::CopyFileReplacing(f.source, f.target).error != 0) state.SkipWithError("copy failed");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kSize));
}

void BM_SystemCp(benchmark::State& state) {
    Files& f = Shared();
    for (auto _ : state) {
        std::string cp = "cp", src = f.source, dst = f.target;
        char* argv[] = {cp.data(), src.data(), dst.data(), nullptr};
        pid_t pid = 0;
        int status = 0;
        if (posix_spawnp(&pid, "cp", nullptr, nullptr, argv, environ) != 0 ||
            ::waitpid(pid, &status, 0) != pid || status != 0)
            state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kSize));
}

BENCHMARK(BM_CopyFileCommand)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SystemCp)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
