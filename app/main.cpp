// Starts the quiz: one window with a seeded turn, until the user closes it.

#include "app/startup.h"

int main(int argc, char* argv[]) {
    return quiz::runQuiz(argc, argv,
                         {.executable = QUIZ_EXECUTABLE,
                          .version = QUIZ_VERSION,
                          .appId = QUIZ_APP_ID,
                          .windowIcon = QUIZ_WINDOW_ICON});
}
