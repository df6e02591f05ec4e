// A line added, deleted or moved in the middle of a 5,000-line script, each with the
// re-indent that follows every operation.
#include <benchmark/benchmark.h>

#include <string>

#include "editor/script/line_ops.h"

namespace tessaro {
namespace {

ScriptList LongScript() {
    ScriptList list;
    for (int i = 0; i < 5000; ++i) {
        int code = cmd::Remark;
        if (i % 50 == 0) code = cmd::RepeatStart;
        if (i % 50 == 49) code = cmd::RepeatEnd;
        list.Lines.push_back(
            {std::string(CommandName(code)) + ": line " + std::to_string(i), NewRecord(code)});
    }
    SetIndents(list.Lines);
    list.Selected = 2500;
    return list;
}

ScriptLine NewRemark() { return {std::string(CommandName(cmd::Remark)) + ": new", NewRecord(cmd::Remark)}; }

void BM_AddLineInTheMiddle(benchmark::State& state) {
    ScriptList list = LongScript();
    for (auto _ : state) {
        InsertNewLine(list, AddStyle::After, 2500, NewRemark());
        SetScriptIndex(list, AddStyle::After, 2500);
        state.PauseTiming();
        DeleteSelectedLine(list);
        list.Selected = 2500;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddLineInTheMiddle)->Unit(benchmark::kMillisecond);

void BM_DeleteLineInTheMiddle(benchmark::State& state) {
    ScriptList list = LongScript();
    for (auto _ : state) {
        DeleteSelectedLine(list);
        state.PauseTiming();
        InsertNewLine(list, AddStyle::Before, 2500, NewRemark());
        list.Selected = 2500;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteLineInTheMiddle)->Unit(benchmark::kMillisecond);

void BM_MoveLineDown(benchmark::State& state) {
    ScriptList list = LongScript();
    for (auto _ : state) {
        MoveSelectedDown(list);
        MoveSelectedUp(list);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_MoveLineDown)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaro
