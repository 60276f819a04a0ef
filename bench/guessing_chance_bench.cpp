#include "core/scoring/guessing_chance.h"

#include <benchmark/benchmark.h>

// The statistics window works this out after every answer; a long session must not lag.
static void BM_GuessingChance(benchmark::State& state) {
    const auto answered = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(quiz::guessingChance(answered / 2, answered));
    }
}
BENCHMARK(BM_GuessingChance)->Arg(30)->Arg(10000)->Arg(1000000);
