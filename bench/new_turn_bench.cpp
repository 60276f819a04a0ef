#include "core/turn.h"

#include <benchmark/benchmark.h>

using namespace quiz;

static void BM_NewTurn(benchmark::State& state) {
    SeededRandomSource random(SeededRandomSource::seedFromClock());
    const NumberStyle style;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NewTurn(random, style));
    }
}
BENCHMARK(BM_NewTurn);
