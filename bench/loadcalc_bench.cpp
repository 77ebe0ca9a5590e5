#include "program/dwelling/LoadCalculation.h"
#include "program/reports/DwellingReport.h"

#include <benchmark/benchmark.h>

namespace {

ampleton::DwellingInput sampleDwelling() {
    ampleton::DwellingInput in;
    const char* values[] = {"2400", "2",    "1",    "10000", "6000", "3000", "12000",
                            "4000", "4500", "4500", "400",   "800",  "1200", "900",
                            "1500", "600",  "1200", "2000",  "800",  "1000"};
    for (int i = 0; i < ampleton::kEntryCount; ++i)
        in.entryTexts[i] = values[i];
    return in;
}

// The dwelling window recalculates on every keystroke; a report is built on request.
void BM_CalculateLoad(benchmark::State& state) {
    const auto in = sampleDwelling();
    for (auto _ : state)
        benchmark::DoNotOptimize(ampleton::calculateLoad(in));
}
BENCHMARK(BM_CalculateLoad);

void BM_BuildDwellingReport(benchmark::State& state) {
    const auto in = sampleDwelling();
    const auto result = ampleton::calculateLoad(in).result;
    for (auto _ : state)
        benchmark::DoNotOptimize(ampleton::buildDwellingReport(result, in));
}
BENCHMARK(BM_BuildDwellingReport);

} // namespace
