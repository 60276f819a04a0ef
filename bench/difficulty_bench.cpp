// How well rules spot the made-up list at each level: each simple rule's accuracy (in its
// better direction), the best of them, and the rule that rebuilds the made-up list from the
// real one. Turns are dealt from an even seed per level; with --features, the same turns and
// as many from the next (odd) seed are written out, each list's statistics on one row, for a
// classifier to train on the odd seed's turns and be tested on the even one's
// (bench/difficulty_classifier.py). Run by hand:
//   build/bench/difficulty_bench [turns per level] [catalogue|ecb|FILE] [--features CSV]

#include "core/data/data_set.h"
#include "core/data/rate_table.h"
#include "core/turns/level.h"
#include "tests/support/rebuild_rule.h"
#include "tests/support/simple_rules.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {

constexpr int kDefaultTurns = 10'000;
constexpr std::uint32_t kSeed = 2026; // level L is tested on kSeed + 2L, trained on one more

std::shared_ptr<const quiz::DataSet> dataFrom(const std::string& source) {
    if (source == "catalogue") {
        return quiz::DataSet::catalogue();
    }
    if (source == "ecb") {
        return quiz::DataSet::ecb();
    }
    std::ifstream file(source, std::ios::binary);
    if (!file) {
        throw std::runtime_error(source + ": cannot be read");
    }
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    return quiz::DataSet::fromTable(quiz::readRateTable(bytes, source), quiz::DataKind::File,
                                    source, source);
}

std::uint32_t testSeed(int level) {
    return kSeed + 2 * static_cast<std::uint32_t>(level);
}

void writeFeatures(std::FILE* out, int level, const char* split,
                   const std::vector<quiz::ShownTurn>& turns) {
    for (const quiz::ShownTurn& turn : turns) {
        std::fprintf(out, "%d,%s,%d", level, split, turn.realSide);
        for (const auto& list : turn.lists) {
            const std::vector<double> values = quiz::shownValues(list);
            for (const quiz::SimpleRule& rule : quiz::simpleRules()) {
                std::fprintf(out, ",%.17g", rule.statistic(values, list, turn.report));
            }
        }
        std::fprintf(out, "\n");
    }
}

void writeHeader(std::FILE* out) {
    std::fprintf(out, "level,split,real_side");
    for (const char side : {'a', 'b'}) {
        for (std::size_t r = 0; r < quiz::simpleRules().size(); ++r) {
            std::fprintf(out, ",rule%zu_%c", r, side);
        }
    }
    std::fprintf(out, "\n");
}

double rebuildAccuracy(const std::vector<quiz::ShownTurn>& turns) {
    double sum = 0.0;
    for (const quiz::ShownTurn& turn : turns) {
        sum += quiz::rebuildScore(turn.lists, turn.realSide);
    }
    return sum / static_cast<double>(turns.size());
}

void printRow(const char* name, const std::vector<double>& perLevel) {
    std::printf("\n| %s |", name);
    for (const double accuracy : perLevel) {
        std::printf(" %.1f %% |", 100.0 * accuracy);
    }
}

} // namespace

int main(int argc, char* argv[]) try {
    const int turns = argc > 1 ? std::atoi(argv[1]) : kDefaultTurns;
    const std::string source = argc > 2 ? argv[2] : "catalogue";
    const bool features = argc > 4 && std::string(argv[3]) == "--features";
    if (turns < 1 || argc > 5 || (argc > 3 && !features)) {
        std::fprintf(stderr,
                     "usage: difficulty_bench [turns >= 1] [catalogue|ecb|FILE] [--features CSV]\n");
        return 2;
    }
    const auto data = dataFrom(source);
    std::FILE* out = features ? std::fopen(argv[4], "w") : nullptr;
    if (features && out == nullptr) {
        std::fprintf(stderr, "%s: cannot be written\n", argv[4]);
        return 2;
    }
    if (out != nullptr) {
        writeHeader(out);
    }
    std::vector<std::vector<double>> table;
    std::vector<double> rebuilt;
    for (int level = 0; level < quiz::kLevelCount; ++level) {
        const auto tested = quiz::shownTurns(data, level, turns, testSeed(level));
        table.push_back(quiz::ruleAccuracies(tested));
        rebuilt.push_back(quiz::betterDirection(rebuildAccuracy(tested)));
        if (out != nullptr) {
            writeFeatures(out, level, "test", tested);
            writeFeatures(out, level, "train", quiz::shownTurns(data, level, turns, testSeed(level) + 1));
        }
    }
    if (out != nullptr) {
        std::fclose(out);
    }
    std::printf("%d seeded turns per level, data: %s\n\n| rule |", turns, source.c_str());
    for (int level = 0; level < quiz::kLevelCount; ++level) {
        std::printf(" level %d |", level);
    }
    std::printf("\n|---|");
    for (int level = 0; level < quiz::kLevelCount; ++level) {
        std::printf("---|");
    }
    const auto rules = quiz::simpleRules();
    for (std::size_t r = 0; r < rules.size(); ++r) {
        std::vector<double> row;
        for (const auto& accuracies : table) {
            row.push_back(accuracies[r]);
        }
        printRow(std::string(rules[r].name).c_str(), row);
    }
    std::printf("\n| **best single rule** |");
    for (const auto& accuracies : table) {
        std::size_t best = 0;
        for (std::size_t r = 1; r < accuracies.size(); ++r) {
            best = accuracies[r] > accuracies[best] ? r : best;
        }
        std::printf(" **%.1f %%** (%.*s) |", 100.0 * accuracies[best],
                    static_cast<int>(rules[best].name.size()), rules[best].name.data());
    }
    printRow("rebuilding the made-up list from the real one", rebuilt);
    std::printf("\n");
    return 0;
} catch (const std::exception& error) {
    std::fprintf(stderr, "difficulty_bench: %s\n", error.what());
    return 1;
}
