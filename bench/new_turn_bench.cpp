#include "core/quiz_model.h"
#include "core/turn.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace quiz;

static void BM_NewTurn(benchmark::State& state) {
    SeededRandomSource random(SeededRandomSource::seedFromClock());
    const NumberStyle style;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NewTurn(random, style));
    }
}
BENCHMARK(BM_NewTurn);

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
