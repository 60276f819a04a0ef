#pragma once

// Opening the window's platform without Qt's abort: a missing or unusable display ends the
// program with one plain line and exit code 1.

#include <functional>
#include <string>
#include <string_view>

namespace quiz {

using EnvironmentLookup = std::function<std::string(const char* name)>;

// Empty when a platform was chosen or a display is named; otherwise the line to print.
// Only X11 and Wayland need a named display, so elsewhere this is always empty.
std::string missingDisplayMessage(std::string_view program, int argc, const char* const* argv,
                                  const EnvironmentLookup& environment);

// Holds back Qt's messages while its platform starts. If the start fails, prints one line
// naming the reason and exits with code 1; once released, passes on what it held back.
class PlatformStartGuard {
public:
    explicit PlatformStartGuard(std::string_view program);
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;

    // The platform is up: restores Qt's message handling and replays what was held back.
    void release();

private:
    bool released_ = false;
};

} // namespace quiz
