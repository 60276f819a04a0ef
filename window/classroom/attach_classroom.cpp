#include "window/classroom/attach_classroom.h"

#include <utility>

namespace quiz {

std::unique_ptr<Classroom> attachClassroom(QuizForm& form, std::uint32_t seed,
                                           ResultsTarget results) {
    auto classroom = std::make_unique<Classroom>(form.model(), form, seed, std::move(results));
    QObject::connect(&form, &QuizForm::turnAnswered, classroom.get(), &Classroom::recordAnswer);
    QObject::connect(&form, &QuizForm::turnStarted, classroom.get(), &Classroom::refresh);
    QObject::connect(&form, &QuizForm::statisticsRequested, classroom.get(),
                     &Classroom::openStatistics);
    QObject::connect(&form, &QuizForm::levelChosen, classroom.get(), &Classroom::refresh);
    QObject::connect(&form, &QuizForm::dataChosen, classroom.get(), &Classroom::refresh);
    return classroom;
}

} // namespace quiz
