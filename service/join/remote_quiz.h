#pragma once

// A lesson's turns on the network as the quiz window's session: a pick is sent and locks the
// options at once, and the host's verdict, turns and refusals change the session later.

#include "core/quiz/quiz_run.h"
#include "service/join/lesson_client.h"

#include <QObject>

#include <array>

namespace quiz {

class RemoteQuiz final : public QObject, public QuizRun {
    Q_OBJECT
public:
    RemoteQuiz(QUrl lessonAddress, JoinDetails details, QObject* parent = nullptr,
               int reconnectMs = kReconnectMs);
    ~RemoteQuiz() override;

    // Connects; the introduction stays until the host deals the first turn.
    void Form_Load(std::string_view introduction) override;
    bool Option1_Click(int Index) override;
    void Command1_Click() override;

    const Lists& lists() const override { return lists_; }
    const QuizModel::Option& option(int index) const override;
    const std::string& Transcript() const override { return transcript_; }
    bool isLocal() const override { return false; }

signals:
    // The host would not take the pupil in (a name taken, a wrong code): the lesson is over
    // for this run, and another name or code may be tried in a new one.
    void refusedBeforeJoining(const QString& text);

private:
    void dealt(const DealtTurn& turn);
    void judged(const JudgedTurn& judged);
    void refused(const QString& text, bool closes);
    void appendLine(std::string_view line);
    void lockOptions();

    LessonClient client_;
    Lists lists_;
    std::array<QuizModel::Option, 2> options_;
    std::string transcript_;
    int turn_ = 0;        // the turn on screen, as the host numbers it
    bool answered_ = false; // the host judged the turn on screen
    bool over_ = false;   // the host closed the lesson to this pupil
};

} // namespace quiz
