// The sent-mail log at the end of every message a macro sends: 1,000 entries in a row, the
// time of the first hundred against the last hundred. The log as a whole rewritten per entry
// (read, then replaced) is measured beside it for comparison.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "foundation/whole_files.h"
#include "player/commands/email/mail_log_writer.h"
#include "protocol/mail_log.h"
#include "platform/file_io.h"
#include "tests/support/temp_dir.h"

namespace {

using tessaro::SentMail;

constexpr int kEntries = 1000;

SentMail Message() {
    SentMail m;
    m.from = {"Ann", "ann@example.org"};
    m.to = {{"Bob", "bob@example.org"}};
    m.subject = "Weekly figures";
    for (int i = 0; i < 40; ++i)
        m.body.push_back("A line of the body text of the weekly message, number " + std::to_string(i));
    return m;
}

// The way each entry was added before: both files read whole and replaced.
std::string RewriteWhole(const std::string& log, const SentMail& mail) {
    std::string why;
    const auto text = tessaro::ReadRegularFileOrEmpty(log, why);
    const std::string added = tessaro::MailLogText(mail);
    const tessaro::TMailLogEntry entry =
        tessaro::MakeMailLogEntry(mail, 1.0, std::int32_t(text->size()), std::int32_t(added.size()));
    if (!win::ReplaceRegularFile(log, *text + added, why)) return why;
    const std::string index = tessaro::MailIndexName(log);
    const auto entries = tessaro::ReadRegularFileOrEmpty(index, why);
    const std::string record(reinterpret_cast<const char*>(&entry), sizeof entry);
    return win::ReplaceRegularFile(index, *entries + record, why) ? std::string() : why;
}

template <bool kAppend>
void BM_MailLogEntries(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const SentMail mail = Message();
    double first = 0, last = 0;
    for (auto _ : state) {
        tessaro::testing::TempDir dir;
        const std::string log = dir.file("MAILLOG.TXT");
        for (int i = 0; i < kEntries; ++i) {
            const auto start = Clock::now();
            const std::string failed =
                kAppend ? tessaro::AppendToMailLog(log, mail, 1.0) : RewriteWhole(log, mail);
            const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
            if (!failed.empty()) state.SkipWithError(failed.c_str());
            if (i < 100) first += us;
            if (i >= kEntries - 100) last += us;
        }
    }
    const double runs = double(state.iterations()) * 100;
    state.counters["first100_us_per_entry"] = first / runs;
    state.counters["last100_us_per_entry"] = last / runs;
}
BENCHMARK_TEMPLATE(BM_MailLogEntries, true)
    ->Name("BM_MailLogEntries/append")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_TEMPLATE(BM_MailLogEntries, false)
    ->Name("BM_MailLogEntries/rewrite")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
