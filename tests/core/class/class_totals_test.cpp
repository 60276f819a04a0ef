// The class's totals from its files: each pupil's reached level over the turns a staircase dealt,
// and the class's verdict on guessing, allowing for how many pupils it tests.

#include "core/class/class_results.h"
#include "core/results/class_file_name.h"
#include "core/results/result_row.h"
#include "core/turns/level.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace quiz;

namespace {

// One answer as a run logs it; `staircase` 0 for a turn no staircase dealt.
struct Logged {
    std::uint32_t seed;
    int level;
    bool right;
    int staircase;
};

// A line as an older version wrote it: without the staircase, the run and the sealed seed.
std::string olderLine(std::string line) {
    for (int field = 0; field < 3; ++field) {
        line.erase(line.rfind(','));
    }
    return line + "\r\n";
}

// A pupil's file of `answers`, a second apart from `start`, each seed's turns counting from 1;
// in an older version's thirteen columns when `older`.
std::string file(const std::string& pupil, const std::vector<Logged>& answers, int start = 0,
                 bool older = false) {
    std::string bytes = std::string(csvHeader()) + "\r\n";
    if (older) {
        bytes = olderLine(bytes);
    }
    std::vector<std::pair<std::uint32_t, int>> turns;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const Logged& answer = answers[i];
        auto seen = std::find_if(turns.begin(), turns.end(),
                                 [&](const auto& run) { return run.first == answer.seed; });
        if (seen == turns.end()) {
            seen = turns.insert(turns.end(), {answer.seed, 0});
        }
        const int second = start + static_cast<int>(i);
        std::string line = csvLine({.time = "2026-12-08T09:" + std::to_string(10 + second / 60) +
                                            ":" + (second % 60 < 10 ? "0" : "") +
                                            std::to_string(second % 60) + "+02:00",
                                    .seed = answer.seed,
                                    .turn = ++seen->second,
                                    .currency = "USD",
                                    .currencyName = "щатски долар",
                                    .realSide = 1,
                                    .chosenSide = answer.right ? 1 : 0,
                                    .spread = 0.1,
                                    .decimals = 5,
                                    .level = answer.level,
                                    .data = "ecb",
                                    .pupil = pupil,
                                    .host = "PC07",
                                    .staircase = answer.staircase});
        if (older) {
            line = olderLine(line);
        }
        bytes += line;
    }
    return bytes;
}

// A staircase's levels as it deals them for `pattern` ("R" right, "W" wrong), from level 1.
std::vector<Logged> staircase(std::uint32_t seed, int number, const std::string& pattern) {
    std::vector<Logged> answers;
    int level = 1;
    int inARow = 0;
    for (const char answer : pattern) {
        const bool right = answer == 'R';
        answers.push_back({seed, level, right, number});
        if (!right) {
            inARow = 0;
            level = std::max(level - 1, 0);
        } else if (++inARow == 3) {
            inARow = 0;
            level = std::min(level + 1, kLevelCount - 1);
        }
    }
    return answers;
}

std::vector<Logged> fixed(std::uint32_t seed, const std::vector<int>& levels, int rightEvery) {
    std::vector<Logged> answers;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        answers.push_back({seed, levels[i], i % static_cast<std::size_t>(rightEvery) == 0, 0});
    }
    return answers;
}

std::vector<Logged> joined(std::vector<std::vector<Logged>> parts) {
    std::vector<Logged> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

struct ReachedCase {
    const char* rule;
    std::vector<std::pair<std::string, std::string>> files; // name, bytes
    std::optional<ReachedLevel> expected;
};

} // namespace

TEST(ClassTotals, ReachedLevelComesFromTheStaircasesOwnTurnsInAllOfAPupilsRuns) {
    const std::string maria = classFileName("m", "PC07", 0);
    const std::string again = classFileName("m", "PC07", 3600);
    // 1, 0, 0, 0, 1, 0: reversals at 0 and 1.
    const std::vector<Logged> lowStaircase = staircase(11, 1, "WRRRWR");
    const std::vector<ReachedCase> cases{
        {"--level 4, switched 3/4/3/4 from the menu, 4 of 12 right",
         {{maria, file("m", fixed(5, {4, 4, 4, 3, 3, 3, 4, 4, 4, 3, 3, 3}, 3))}},
         std::nullopt},
        {"turns at a menu-chosen level inside an adaptive run move nothing",
         {{maria, file("m", joined({lowStaircase, fixed(11, {3, 4, 4, 3}, 1)}))}},
         ReachedLevel{0.5, 2}},
        {"choosing the adaptive level again restarts the staircase, which is no move",
         {{maria, file("m", joined({lowStaircase, fixed(11, {4, 4}, 1),
                                    staircase(11, 2, "RRRWR")}))}},
         ReachedLevel{1.5, 3}},
        {"a lucky short run after others does not stand alone",
         {{maria, file("m", joined({staircase(11, 1, "WRRRWRRRWRRRW")}))},
          {again, file("m", staircase(12, 1, "RRRRRRRRRRRRWRRRW"), 100)}},
         ReachedLevel{1.5, 7}},
        {"the latest run alone would be the lucky one's",
         {{again, file("m", staircase(12, 1, "RRRRRRRRRRRRWRRRW"), 100)}},
         ReachedLevel{3.5, 2}},
        {"six reversals settle it",
         {{maria, file("m", staircase(11, 1, "RRRWRRRWRRRWRRRW"))}},
         ReachedLevel{1.5, 6}},
        {"an older version's file does not tell the staircase's turns",
         {{maria, file("m", lowStaircase, 0, true)}},
         std::nullopt},
    };
    for (const ReachedCase& c : cases) {
        ClassResults results;
        for (const auto& [name, bytes] : c.files) {
            results.feed(name, bytes);
        }
        const std::vector<PupilSummary> pupils = results.pupils();
        ASSERT_EQ(pupils.size(), 1U) << c.rule;
        EXPECT_TRUE(results.skipped().empty()) << c.rule;
        EXPECT_EQ(pupils.front().reached, c.expected) << c.rule;
    }
}

struct VerdictCase {
    const char* rule;
    std::vector<std::vector<Logged>> pupils; // one file each
    int judged;
    int beating;
    std::vector<bool> verdicts; // of the pupils in name order
};

// 5 of 5 right: 3.1 %, enough alone; 6 of 6: 1.6 %; 7 of 7: 0.8 %.
TEST(ClassTotals, TheClassVerdictAllowsForThePupilsTested) {
    const auto right = [](int count, int level = 2) {
        return fixed(static_cast<std::uint32_t>(100 + count), std::vector<int>(count, level), 1);
    };
    const std::vector<Logged> wrong = {{99, 2, false, 0}};
    const std::vector<VerdictCase> cases{
        {"one pupil alone, at 5 %", {right(5)}, 1, 1, {true}},
        {"one of two is not enough at 3.1 %", {right(5), wrong}, 2, 0, {false, false}},
        {"one of two at 1.6 % is", {right(6), wrong}, 2, 1, {true, false}},
        {"two of two at 1.6 %: 2.5 % then 5 %", {right(6), right(6)}, 2, 2, {true, true}},
        {"the second step passes once the first does", {right(7), right(6), wrong}, 3, 2,
         {true, true, false}},
        {"level 0 alone is not judged, nor counted among the tested",
         {right(5), right(9, 0)}, 1, 1, {true, false}},
    };
    for (const VerdictCase& c : cases) {
        ClassResults results;
        for (std::size_t i = 0; i < c.pupils.size(); ++i) {
            const std::string pupil(1, static_cast<char>('a' + i));
            results.feed(classFileName(pupil, "PC07", 0), file(pupil, c.pupils[i]));
        }
        const ClassSummary summary = results.summary();
        EXPECT_EQ(summary.pupilsJudged, c.judged) << c.rule;
        EXPECT_EQ(summary.pupilsBeatingGuessing, c.beating) << c.rule;
        std::vector<bool> verdicts;
        for (const PupilSummary& pupil : results.pupils()) {
            verdicts.push_back(pupil.beatsGuessing);
        }
        EXPECT_EQ(verdicts, c.verdicts) << c.rule;
    }
}

// A name typed in another case on another day is the same pupil, named as in their first
// answer, as a hosted lesson takes them; letters that only look alike are another pupil.
TEST(ClassTotals, ANameInAnotherCaseIsOnePupil) {
    struct Part {
        std::string pupil;
        std::uint32_t seed;
        int start;
    };
    const std::vector<Part> parts{
        {"вера", 2, 30}, {"Вера", 1, 0}, {"ВЕРА", 3, 60}, {"Bepa", 4, 0}};
    ClassResults results;
    for (const Part& part : parts) {
        results.feed(classFileName(part.pupil, "PC07", part.start),
                     file(part.pupil, fixed(part.seed, {1, 1}, 1), part.start));
    }
    const std::vector<PupilSummary> pupils = results.pupils();
    ASSERT_EQ(pupils.size(), 2U);
    EXPECT_EQ(pupils[0].pupil, "Bepa");
    EXPECT_EQ(pupils[0].answered, 2);
    EXPECT_EQ(pupils[1].pupil, "Вера");
    EXPECT_EQ(pupils[1].answered, 6);
}
