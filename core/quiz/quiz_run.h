#pragma once

// What the quiz window shows and the three events it forwards, wherever the turns come from.

#include "core/quiz/quiz_model.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quiz {

class QuizRun {
public:
    using Lists = std::array<std::vector<std::string>, 2>;

    virtual ~QuizRun() = default;

    // The three events keep the names the quiz was designed with; see QuizModel. A session
    // may answer later: Option1_Click then locks the options at once and the verdict follows.
    virtual void Form_Load(std::string_view introduction) = 0;
    virtual bool Option1_Click(int Index) = 0;
    virtual void Command1_Click() = 0;

    virtual const Lists& lists() const = 0;
    virtual const QuizModel::Option& option(int index) const = 0;
    // UTF-8, every line ended by CR LF.
    virtual const std::string& Transcript() const = 0;
    // Whether the session is the quiz's own run, whose level, data and statistics apply.
    virtual bool isLocal() const = 0;

    // Called whenever the session changed by itself, not as an event's direct answer.
    void onChanged(std::function<void()> changed) { changed_ = std::move(changed); }

protected:
    void changed() const {
        if (changed_) {
            changed_();
        }
    }

private:
    std::function<void()> changed_;
};

} // namespace quiz
