#pragma once

// The teacher's lesson on the network around the teacher's view: its panel over the program's
// own host, and --serve. A build without Qt WebSockets has none (see network_lesson_absent.cpp).

#include "app/command_line.h"

#include <QString>

#include <memory>

namespace quiz {

class TeacherWindow;

class TeacherNetwork {
public:
    virtual ~TeacherNetwork() = default;
    // Serves at once when the command line asked with --serve; false, with `refusal`, when it
    // cannot listen. Called before any window shows.
    virtual bool serveAsAsked(const CommandLine& line, QString& refusal) = 0;
    // Gives the view its panel; once the view shows, a lesson already served is announced.
    virtual void attach(TeacherWindow& teacher) = 0;
    virtual void announceServing() = 0;
};

// Made before the view and kept until after it: the view's panel stops the host as it closes.
// The panel's hosts answer as far as `line` allows (--any-network).
std::unique_ptr<TeacherNetwork> makeTeacherNetwork(const CommandLine& line);

// Empty where this build has the lesson on the network; else why --serve or --join cannot be.
QString networkLessonRefusal(const CommandLine& line);

} // namespace quiz
