#include "core/data/ecb_extract.h"
#include "core/data/rate_table.h"
#include "core/quiz/quiz_model.h"
#include "core/turns/level.h"
#include "core/turns/turn.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace quiz;

// One turn at each level from the data named by the template argument (the ECB extract is
// read once, before the timing).
template <std::shared_ptr<const DataSet> (*data)()> void BM_NewTurn(benchmark::State& state) {
    SeededRandomSource random(SeededRandomSource::seedFromClock());
    const NumberStyle style;
    const auto turns = data();
    const int level = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(NewTurn(random, style, *turns, level));
    }
}
BENCHMARK(BM_NewTurn<DataSet::catalogue>)->DenseRange(0, kLevelCount - 1);
BENCHMARK(BM_NewTurn<DataSet::ecb>)->DenseRange(0, kLevelCount - 1);

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
