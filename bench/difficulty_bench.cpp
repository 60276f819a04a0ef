// How well simple rules spot the made-up list at each level: a table of level x rule accuracy
// (in each rule's better direction) and the best rule per level. Run by hand:
//   build/bench/difficulty_bench [turns per level] [catalogue|ecb]

#include "core/data/data_set.h"
#include "core/quiz/level.h"
#include "tests/support/simple_rules.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kDefaultTurns = 10'000;
constexpr std::uint32_t kSeed = 2026;

} // namespace

int main(int argc, char* argv[]) {
    const int turns = argc > 1 ? std::atoi(argv[1]) : kDefaultTurns;
    const std::string source = argc > 2 ? argv[2] : "catalogue";
    if (turns < 1 || (source != "catalogue" && source != "ecb")) {
        std::fprintf(stderr, "usage: difficulty_bench [turns >= 1] [catalogue|ecb]\n");
        return 2;
    }
    const auto data = source == "ecb" ? quiz::DataSet::ecb() : quiz::DataSet::catalogue();
    std::printf("%d seeded turns per level, data: %s\n\n| rule |", turns, source.c_str());
    for (int level = 0; level < quiz::kLevelCount; ++level) {
        std::printf(" level %d |", level);
    }
    std::printf("\n|---|");
    for (int level = 0; level < quiz::kLevelCount; ++level) {
        std::printf("---|");
    }
    std::vector<std::vector<double>> table;
    for (int level = 0; level < quiz::kLevelCount; ++level) {
        table.push_back(quiz::ruleAccuracies(data, level, turns, kSeed + level));
    }
    const auto rules = quiz::simpleRules();
    for (std::size_t r = 0; r < rules.size(); ++r) {
        std::printf("\n| %.*s |", static_cast<int>(rules[r].name.size()), rules[r].name.data());
        for (const auto& accuracies : table) {
            std::printf(" %.1f %% |", 100.0 * accuracies[r]);
        }
    }
    std::printf("\n| **best** |");
    for (const auto& accuracies : table) {
        double best = 0.0;
        for (const double accuracy : accuracies) {
            best = std::max(best, accuracy);
        }
        std::printf(" **%.1f %%** |", 100.0 * best);
    }
    std::printf("\n");
    return 0;
}
