#include "core/quiz/turn_report.h"

#include "core/quiz/quiz_model.h"
#include "core/random/random_source.h"
#include "core/turns/level.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace quiz;

namespace {

std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text.append(line).append("\r\n");
    }
    return text;
}

} // namespace

// Whatever else shows a turn picked says it as the quiz window does.
TEST(TurnReport, AfterThePickIsWhatTheWindowShows) {
    const NumberStyle comma{.decimalSeparator = ",", .groupSeparator = " ", .groupSize = 3};
    for (const auto& data : {DataSet::catalogue(), DataSet::ecb()}) {
        for (int level = 0; level < kLevelCount; ++level) {
            for (const bool right : {true, false}) {
                SCOPED_TRACE(data->id() + " level " + std::to_string(level));
                QuizModel quiz(std::make_unique<SeededRandomSource>(7), comma, data, level);
                quiz.Form_Load("");
                quiz.Command1_Click();
                const int real = quiz.turn().RealSide;
                ASSERT_TRUE(quiz.Option1_Click(right ? real : 1 - real));
                EXPECT_EQ(joinedLines(reportAfterPick(quiz.turn(), right, comma)),
                          quiz.Transcript());
            }
        }
    }
}
