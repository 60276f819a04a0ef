#include "core/ecb_extract.h"
#include "core/level.h"
#include "core/rate_table.h"
#include "core/quiz_model.h"
#include "core/turn.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace quiz;

// One turn at each level (the argument) from the stored series.
static void BM_NewTurn(benchmark::State& state) {
    SeededRandomSource random(SeededRandomSource::seedFromClock());
    const NumberStyle style;
    const auto data = DataSet::catalogue();
    const int level = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(NewTurn(random, style, *data, level));
    }
}
BENCHMARK(BM_NewTurn)->DenseRange(0, kLevelCount - 1);

// The same from the built-in ECB extract (read once, before the timing).
static void BM_NewTurnEcb(benchmark::State& state) {
    SeededRandomSource random(SeededRandomSource::seedFromClock());
    const NumberStyle style;
    const auto data = DataSet::ecb();
    const int level = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(NewTurn(random, style, *data, level));
    }
}
BENCHMARK(BM_NewTurnEcb)->DenseRange(0, kLevelCount - 1);

// Reading the whole ECB extract, as choosing --data ecb does once.
static void BM_ReadEcbExtract(benchmark::State& state) {
    const std::string text = ecbExtractText();
    for (auto _ : state) {
        benchmark::DoNotOptimize(readRateTable(text, "ECB"));
    }
}
BENCHMARK(BM_ReadEcbExtract)->Unit(benchmark::kMillisecond);

// What a press of the button costs: a turn plus its two-line report.
static void BM_Command1Click(benchmark::State& state) {
    QuizModel quiz(std::make_unique<SeededRandomSource>(SeededRandomSource::seedFromClock()),
                   NumberStyle{});
    quiz.Form_Load("");
    for (auto _ : state) {
        quiz.Command1_Click();
        benchmark::DoNotOptimize(quiz.Transcript().data());
    }
}
BENCHMARK(BM_Command1Click);
