#include "core/quiz/quiz_model.h"

#include "core/data/catalogue.h"
#include "core/data/decimal_units.h"
#include "core/random/random_source.h"
#include "core/text/leading_number.h"
#include "core/turns/level.h"
#include "tests/support/sequence_random.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace quiz;

namespace {

const std::string kIntroduction = "Въведение.\r\nПоток 1 представлява реален курс на валута.\r\n";

std::vector<float> joined(std::initializer_list<std::vector<float>> turns) {
    std::vector<float> draws;
    for (const auto& turn : turns) {
        draws.insert(draws.end(), turn.begin(), turn.end());
    }
    return draws;
}

// A loaded quiz whose turns are drawn from the given values.
QuizModel loadedQuiz(std::vector<float> draws, NumberStyle style = {}) {
    QuizModel quiz(std::make_unique<SequenceRandomSource>(std::move(draws)), std::move(style));
    quiz.Form_Load(kIntroduction);
    return quiz;
}

void expectArmed(const QuizModel& quiz) {
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(quiz.option(i).enabled) << i;
        EXPECT_FALSE(quiz.option(i).checked) << i;
    }
}

} // namespace

TEST(QuizStart, ShowsTheIntroductionAndAFreshTurn) {
    const QuizModel quiz = loadedQuiz(turnDraws(seriesDraw(3), kSideOne));
    EXPECT_EQ(quiz.Transcript(), kIntroduction);
    EXPECT_EQ(quiz.turn().CurrencyNo, 3);
    EXPECT_EQ(quiz.turn().lists[0].size(), 43U);
    EXPECT_EQ(quiz.turn().lists[1].size(), 43U);
    EXPECT_EQ(quiz.turnNumber(), 1);
    EXPECT_FALSE(quiz.answered());
    expectArmed(quiz);
}

TEST(QuizStart, NothingCanBePickedBeforeTheWindowLoads) {
    QuizModel quiz(std::make_unique<SequenceRandomSource>(std::vector<float>{}), NumberStyle{});
    EXPECT_FALSE(quiz.option(0).enabled);
    EXPECT_FALSE(quiz.Option1_Click(0));
    EXPECT_EQ(quiz.Transcript(), "");
    EXPECT_THROW(QuizModel(nullptr, NumberStyle{}), std::invalid_argument);
}

TEST(QuizPick, TheRealSideIsRightAndTheOtherWrong) {
    for (const int realSide : {0, 1}) {
        for (const int pick : {0, 1}) {
            QuizModel quiz = loadedQuiz(turnDraws(seriesDraw(1), realSide ? kSideOne : kSideZero));
            EXPECT_TRUE(quiz.Option1_Click(pick));
            const std::string verdict = pick == realSide ? "Правилно\r\n" : "Грешка!\r\n";
            // Straight after the introduction, which already ends its line.
            EXPECT_EQ(quiz.Transcript(), kIntroduction + verdict);
        }
    }
}

TEST(QuizPick, LocksBothOptionsAndKeepsThePickChecked) {
    QuizModel quiz = loadedQuiz(turnDraws(seriesDraw(2), kSideZero));
    ASSERT_TRUE(quiz.Option1_Click(1));
    EXPECT_TRUE(quiz.answered());
    EXPECT_FALSE(quiz.option(0).enabled);
    EXPECT_FALSE(quiz.option(1).enabled);
    EXPECT_FALSE(quiz.option(0).checked);
    EXPECT_TRUE(quiz.option(1).checked);

    const std::string afterPick = quiz.Transcript();
    EXPECT_FALSE(quiz.Option1_Click(0));
    EXPECT_FALSE(quiz.Option1_Click(1));
    EXPECT_EQ(quiz.Transcript(), afterPick);
    EXPECT_TRUE(quiz.option(1).checked);
}

TEST(QuizPick, IgnoresIndexesOtherThanZeroAndOne) {
    QuizModel quiz = loadedQuiz(turnDraws(seriesDraw(2), kSideZero));
    EXPECT_FALSE(quiz.Option1_Click(-1));
    EXPECT_FALSE(quiz.Option1_Click(2));
    EXPECT_EQ(quiz.Transcript(), kIntroduction);
    expectArmed(quiz);
    EXPECT_THROW(quiz.option(2), std::out_of_range);
}

TEST(QuizNewTurn, ReplacesTheTranscriptWithTheReport) {
    QuizModel quiz = loadedQuiz(
        joined({turnDraws(seriesDraw(1), kSideZero), turnDraws(seriesDraw(6), kSideOne)}));
    quiz.Option1_Click(0);
    quiz.Command1_Click();
    EXPECT_EQ(quiz.Transcript(),
              "Генерирани са данни за: швейцарски франк - CHF\r\nМаксимална разлика: 0.026\r\n");
    expectArmed(quiz);
    EXPECT_FALSE(quiz.answered());
    EXPECT_EQ(quiz.turn().CurrencyNo, 6);
    EXPECT_EQ(quiz.turn().RealSide, 1);
    EXPECT_EQ(quiz.turn().lists[0].size(), 43U); // replaced, not appended to

    quiz.Option1_Click(0);
    EXPECT_EQ(quiz.Transcript(), "Генерирани са данни за: швейцарски франк - CHF\r\n"
                                 "Максимална разлика: 0.026\r\nГрешка!\r\n");
}

TEST(QuizNewTurn, ASecondPressLeavesOnlyTheSecondReport) {
    QuizModel quiz =
        loadedQuiz(joined({turnDraws(seriesDraw(1), kSideZero), turnDraws(seriesDraw(2), kSideZero),
                           turnDraws(seriesDraw(4), kSideZero)}));
    quiz.Command1_Click();
    quiz.Command1_Click();
    EXPECT_EQ(quiz.turnNumber(), 3);
    // The pound's name keeps its trailing blank before the line end.
    EXPECT_EQ(quiz.Transcript(),
              "Генерирани са данни за: британски паунд - GBP \r\nМаксимална разлика: 0.09911\r\n");
}

TEST(QuizNewTurn, WritesTheSpreadInTheUsersStyle) {
    const NumberStyle comma{.decimalSeparator = ",", .groupSeparator = " ", .groupSize = 3};
    QuizModel quiz = loadedQuiz(
        joined({turnDraws(seriesDraw(1), kSideZero), turnDraws(seriesDraw(2), kSideZero)}), comma);
    quiz.Command1_Click();
    EXPECT_EQ(quiz.Transcript(), "Генерирани са данни за: японска йена - JPY\r\n"
                                 "Максимална разлика: 0,0667599999999999\r\n");
    EXPECT_EQ(quiz.turn().lists[1].front(), "1,49654");
}

// Above level 0 a spread told before the pick names the real list (it is the only list whose
// largest minus smallest value it is), so it is told after the verdict instead; for data other
// than the stored series it is written at the data's own precision.
TEST(QuizReport, TellsTheSpreadBeforeThePickOnlyAtLevelZero) {
    const std::string spreadLine = "Максимална разлика: ";
    for (const auto& data : {DataSet::catalogue(), DataSet::ecb()}) {
        for (int level = 0; level < kLevelCount; ++level) {
            SCOPED_TRACE(data->id() + " level " + std::to_string(level));
            QuizModel quiz(std::make_unique<SeededRandomSource>(42), NumberStyle{}, data, level);
            quiz.Form_Load(kIntroduction);
            quiz.Command1_Click();
            const std::string report = quiz.Transcript();
            const std::string named = "Генерирани са данни за: " + quiz.turn().name + "\r\n";
            ASSERT_TRUE(report.starts_with(named));
            EXPECT_EQ(report.find(spreadLine) != std::string::npos, level == 0);

            quiz.Option1_Click(quiz.turn().RealSide);
            const std::string& answered = quiz.Transcript();
            const std::string verdict = "Правилно\r\n";
            ASSERT_TRUE(answered.starts_with(report + verdict));
            const std::string told = level == 0 ? report.substr(named.size())
                                                : answered.substr(report.size() + verdict.size());
            ASSERT_TRUE(told.starts_with(spreadLine) && told.ends_with("\r\n")) << told;
            const std::string number =
                told.substr(spreadLine.size(), told.size() - spreadLine.size() - 2);
            EXPECT_NEAR(parseLeadingNumber(number), quiz.turn().Spread, 1e-9) << number;
            if (data->kind() != DataKind::Catalogue) {
                EXPECT_EQ(decimalsOf(number), quiz.turn().decimals) << number;
            }
        }
    }
}

namespace {

// Answers the turn on screen right or wrong, then deals the next one.
void answerAndGoOn(QuizModel& quiz, bool right) {
    ASSERT_TRUE(quiz.Option1_Click(right ? quiz.turn().RealSide : 1 - quiz.turn().RealSide));
    quiz.Command1_Click();
}

} // namespace

TEST(QuizAdaptive, DealsEachTurnAtTheStaircasesLevel) {
    QuizModel quiz(std::make_unique<SeededRandomSource>(7), NumberStyle{}, DataSet::catalogue(),
                   kAdaptiveLevel);
    quiz.Form_Load(kIntroduction);
    EXPECT_EQ(quiz.chosenLevel(), kAdaptiveLevel);
    const std::vector<bool> answers{true, true, true, true, false, false, false};
    const std::vector<int> dealt{1, 1, 1, 2, 2, 1, 0, 0};
    EXPECT_EQ(quiz.turn().level, dealt[0]);
    for (std::size_t i = 0; i < answers.size(); ++i) {
        answerAndGoOn(quiz, answers[i]);
        EXPECT_EQ(quiz.turn().level, dealt[i + 1]) << "turn " << i + 2;
    }
    ASSERT_TRUE(quiz.staircase());
    EXPECT_EQ(quiz.staircase()->answers().size(), answers.size());
}

TEST(QuizAdaptive, TheTurnOnScreenKeepsItsLevelAndTellsTheStaircaseNothing) {
    QuizModel quiz(std::make_unique<SeededRandomSource>(7), NumberStyle{}, DataSet::catalogue(), 3);
    quiz.Form_Load(kIntroduction);
    quiz.chooseLevel(kAdaptiveLevel);
    EXPECT_EQ(quiz.turn().level, 3);
    answerAndGoOn(quiz, false);
    ASSERT_TRUE(quiz.staircase());
    EXPECT_TRUE(quiz.staircase()->answers().empty());
    EXPECT_EQ(quiz.turn().level, Staircase::kStartLevel);

    // Chosen again while it runs, the staircase keeps its place; a fixed level ends it.
    answerAndGoOn(quiz, false);
    quiz.chooseLevel(kAdaptiveLevel);
    EXPECT_EQ(quiz.staircase()->level(), 0);
    quiz.chooseLevel(2);
    EXPECT_FALSE(quiz.staircase());
    answerAndGoOn(quiz, true);
    EXPECT_EQ(quiz.turn().level, 2);
    EXPECT_THROW(quiz.chooseLevel(-2), std::out_of_range);
}

// A class's seed given mid-run: from the next turn on the turns are those a run started with
// that seed deals, numbered from 1, while the turn on screen keeps its own.
TEST(QuizStream, ANewStreamDealsAsAFreshRunFromTheNextTurn) {
    constexpr std::uint32_t kClassSeed = 2026;
    QuizModel fresh(std::make_unique<SeededRandomSource>(kClassSeed), NumberStyle{});
    fresh.Form_Load(kIntroduction);
    std::vector<Turn> expected{fresh.turn()};
    for (int i = 0; i < 3; ++i) {
        fresh.Command1_Click();
        expected.push_back(fresh.turn());
    }

    QuizModel quiz(std::make_unique<SeededRandomSource>(1), NumberStyle{});
    quiz.Form_Load(kIntroduction);
    quiz.Command1_Click();
    const Turn onScreen = quiz.turn();
    quiz.chooseStream(std::make_unique<SeededRandomSource>(kClassSeed), kClassSeed);
    EXPECT_EQ(quiz.turn().values, onScreen.values);
    EXPECT_EQ(quiz.turnNumber(), 2);
    EXPECT_FALSE(quiz.turnSeed());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        quiz.Command1_Click();
        EXPECT_EQ(quiz.turnNumber(), static_cast<int>(i) + 1);
        EXPECT_EQ(quiz.turnSeed(), kClassSeed);
        EXPECT_EQ(quiz.turn().values, expected[i].values) << "turn " << i + 1;
        EXPECT_EQ(quiz.turn().RealSide, expected[i].RealSide) << "turn " << i + 1;
    }
}
