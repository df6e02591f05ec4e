// libFuzzer entry: any bytes as macro text. Run by hand for longer, e.g.
//   bin/parse_fuzz -max_len=6000 -max_total_time=600 new_corpus tests/editor/script/fuzz/corpus
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "parse_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string problem =
        tessaro::fuzz::CheckParse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!problem.empty()) {
        std::fprintf(stderr, "parser property broken: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
