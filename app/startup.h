#pragma once

// From the command line to a running quiz: everything main does, in pieces tests can reach.

#include "app/command_line.h"
#include "service/lesson/lesson_follower.h"
#include "window/classroom/attach_classroom.h"
#include "window/classroom/classroom.h"
#include "window/quiz/quiz_form.h"
#include "window/teacher/teacher_window.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>

namespace quiz {

// What the build names the program by.
struct ProgramIdentity {
    const char* executable; // also the name messages start with
    const char* version;
    const char* appId;      // the desktop file's name, for Wayland compositors
    const char* windowIcon; // a Qt resource path
};

// The windows of one run and what they write, as a command line asks for them.
struct QuizSession {
    std::unique_ptr<QuizForm> form;
    std::unique_ptr<Classroom> classroom;
    std::unique_ptr<LessonFollower> lesson; // in a class folder: the teacher's settings
};

// Builds the session `line` asks for, with numbers written as `locale` says. A choice it
// cannot carry out (a log that cannot be written) gives null and the one line saying why,
// program name first, in `refusal`. Needs a QApplication.
std::unique_ptr<QuizSession> startQuiz(const CommandLine& line, const QLocale& locale,
                                       QString& refusal);

// The teacher's view of the folder `line` names, or null and the one line saying why.
std::unique_ptr<TeacherWindow> startTeacher(const CommandLine& line, const QLocale& locale,
                                            QString& refusal);

// The whole program: the display check, Qt's start, the options, the session and the event
// loop. Returns the exit code.
int runQuiz(int argc, char* argv[], const ProgramIdentity& identity);

} // namespace quiz
