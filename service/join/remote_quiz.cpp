#include "service/join/remote_quiz.h"

#include "core/quiz/turn_report.h"

namespace quiz {

namespace {

constexpr std::string_view kConnecting = "Свързване с урока…";
constexpr std::string_view kJoinedAs = "В урока сте като ";
constexpr std::string_view kReconnecting = "Връзката се възстановява…";
constexpr std::string_view kLineEnd = "\r\n";

} // namespace

RemoteQuiz::RemoteQuiz(QUrl lessonAddress, JoinDetails details, QObject* parent,
                       int reconnectMs)
    : QObject(parent), client_(std::move(lessonAddress), std::move(details), this, reconnectMs) {
    connect(&client_, &LessonClient::joined, this, [this](const QString& pupil) {
        appendLine(std::string(kJoinedAs).append(pupil.toStdString()));
        changed();
    });
    connect(&client_, &LessonClient::turnDealt, this, &RemoteQuiz::dealt);
    connect(&client_, &LessonClient::turnJudged, this, &RemoteQuiz::judged);
    connect(&client_, &LessonClient::refused, this, &RemoteQuiz::refused);
    connect(&client_, &LessonClient::reconnecting, this, [this] {
        appendLine(kReconnecting);
        changed();
    });
}

RemoteQuiz::~RemoteQuiz() {
    client_.close();
}

void RemoteQuiz::Form_Load(std::string_view introduction) {
    transcript_ = introduction;
    appendLine(kConnecting);
    client_.open();
}

bool RemoteQuiz::Option1_Click(int Index) {
    if ((Index != 0 && Index != 1) || !options_[static_cast<std::size_t>(Index)].enabled) {
        return false;
    }
    lockOptions();
    options_[static_cast<std::size_t>(Index)].checked = true;
    client_.pick(Index);
    return true;
}

void RemoteQuiz::Command1_Click() {
    if (over_ || !client_.isJoined()) {
        return;
    }
    // No pick is sent for the old turn while the new one is on its way.
    lockOptions();
    client_.next();
}

const QuizModel::Option& RemoteQuiz::option(int index) const {
    return options_.at(static_cast<std::size_t>(index));
}

void RemoteQuiz::dealt(const DealtTurn& turn) {
    turn_ = turn.number;
    lists_ = turn.lists;
    options_ = {QuizModel::Option{!over_, false}, QuizModel::Option{!over_, false}};
    answered_ = false;
    transcript_.clear();
    appendLine(turnHeading(turn.currency));
    changed();
}

void RemoteQuiz::judged(const JudgedTurn& judged) {
    if (judged.number != turn_ || (judged.side != 0 && judged.side != 1)) {
        return; // a verdict on a turn no longer on screen
    }
    answered_ = true;
    lockOptions();
    options_ = {};
    options_[static_cast<std::size_t>(judged.side)].checked = true;
    for (const std::string& line : judged.report) {
        appendLine(line);
    }
    changed();
}

void RemoteQuiz::refused(const QString& text, bool closes) {
    appendLine(text.toStdString());
    const bool outside = !client_.isJoined();
    if (outside) {
        client_.close();
    }
    if (closes || outside) {
        over_ = true;
        if (!answered_) {
            options_ = {}; // a pick the host never judged is not shown as made
        }
        lockOptions();
    } else if (turn_ != 0 && !answered_) {
        // The host took neither the pick nor the request: the turn on screen is still open.
        for (QuizModel::Option& option : options_) {
            option = {true, false};
        }
    }
    changed();
    if (outside) {
        emit refusedBeforeJoining(text);
    }
}

void RemoteQuiz::appendLine(std::string_view line) {
    transcript_.append(line).append(kLineEnd);
}

void RemoteQuiz::lockOptions() {
    for (QuizModel::Option& option : options_) {
        option.enabled = false;
    }
}

} // namespace quiz
