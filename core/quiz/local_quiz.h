#pragma once

// The quiz's own run as a session: the model's turns, judged at once on this computer.

#include "core/quiz/quiz_run.h"

namespace quiz {

class LocalQuiz final : public QuizRun {
public:
    explicit LocalQuiz(QuizModel& model) : model_(model) {}

    void Form_Load(std::string_view introduction) override { model_.Form_Load(introduction); }
    bool Option1_Click(int Index) override { return model_.Option1_Click(Index); }
    void Command1_Click() override { model_.Command1_Click(); }

    const Lists& lists() const override { return model_.turn().lists; }
    const QuizModel::Option& option(int index) const override { return model_.option(index); }
    const std::string& Transcript() const override { return model_.Transcript(); }
    bool isLocal() const override { return true; }

private:
    QuizModel& model_;
};

} // namespace quiz
