#pragma once

// Simple rules a pupil could use to tell the real list from the made-up one, for measuring how
// well a kind of made-up list stands up to them.

#include "core/data/data_set.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// One statistic of a shown list, given the report shown beside it before the pick; a rule
// picks as real the list whose statistic is smaller. No statistic is NaN for finite values,
// nor for an empty or constant list.
struct SimpleRule {
    std::string_view name;
    double (*statistic)(const std::vector<double>& values, const std::vector<std::string>& texts,
                        std::string_view report);
};

// The rules, always in the same order. On the numbers: sum |changes|, lag-1 autocorrelation
// of changes and of |changes|, sign runs, values below first, range, start-to-end distance,
// kurtosis of changes, largest step share ("changes" are the day-to-day differences). On the
// texts: shorter texts, texts ending in 0, last-digit unevenness, repeated last digits, the
// distance of the list's range from the spread the report names, values written twice (texts
// equal to an earlier one) and equal neighbours.
std::span<const SimpleRule> simpleRules();

// The numbers a list of shown texts holds, each text a plain decimal with "." or "," as its
// separator and no grouping ("1.47766", "1,47"). Throws std::invalid_argument, naming the
// text, for anything else.
std::vector<double> shownValues(const std::vector<std::string>& texts);

// Score of one rule on one turn: 1 if it picks realSide, 0 if the other list, 0.5 on a tie.
// Throws std::invalid_argument for a realSide other than 0 or 1, or a text shownValues refuses.
double ruleScore(const SimpleRule& rule, const std::array<std::vector<std::string>, 2>& lists,
                 int realSide, std::string_view report = {});

// Accuracy over many turns, taken in the rule's better direction, max(a, 1 - a): a pupil can
// learn which way a rule points. Throws std::invalid_argument outside 0..1.
double betterDirection(double accuracy);

// A turn as a pupil sees it before the pick, and which of its lists is real.
struct ShownTurn {
    std::array<std::vector<std::string>, 2> lists;
    int realSide = 0;
    std::string report;
};

// `turns` new turns of `data` at `level`, dealt by the quiz's own model from `seed`.
std::vector<ShownTurn> shownTurns(std::shared_ptr<const DataSet> data, int level, int turns,
                                  std::uint32_t seed);

// Each rule's accuracy, in its better direction, over `turns` seeded new turns of `data` at
// `level`, judged on the texts and the report as shown before the pick.
std::vector<double> ruleAccuracies(std::shared_ptr<const DataSet> data, int level, int turns,
                                   std::uint32_t seed);
// The same over turns already dealt (at least one).
std::vector<double> ruleAccuracies(const std::vector<ShownTurn>& turns);

} // namespace quiz
