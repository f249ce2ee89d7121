// One estimate against the floor of copying its finished text into a fresh
// string, side by side in one run.
#include "age_table.h"

#include <benchmark/benchmark.h>

namespace
{

void BM_BuildAgeTable(benchmark::State& state)
{
    for (auto _ : state)
    {
        AgeTable table = BuildAgeTable(u"2009", 1, 1, 0);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_BuildAgeTable);

void BM_CopyFinishedText(benchmark::State& state)
{
    const std::u16string text = BuildAgeTable(u"2009", 1, 1, 0).text;
    for (auto _ : state)
    {
        std::u16string copy(text);
        benchmark::DoNotOptimize(copy);
    }
    state.counters["chars"] = static_cast<double>(text.size());
}
BENCHMARK(BM_CopyFinishedText);

} // namespace

BENCHMARK_MAIN();
