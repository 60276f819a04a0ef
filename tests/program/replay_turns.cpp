// Prints the first ten turns the quiz window shows for the given options, one line per turn,
// so that two separate runs can be compared.

#include "app/command_line.h"
#include "core/random/random_source.h"
#include "tests/support/find_control.h"
#include "window/quiz/quiz_form.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>

#include <cstdio>

namespace {

constexpr int kTurns = 10;

QString items(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts.append(list.item(i)->text());
    }
    return texts.join(u' ');
}

} // namespace

int main(int argc, char* argv[]) {
    const QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("realdataquiz"));
    const quiz::CommandLine line = quiz::parseCommandLine(QCoreApplication::arguments());
    if (line.action != quiz::CommandLine::Action::Run || !line.seed) {
        std::fprintf(stderr, "usage: replay_turns --seed N\n");
        return 2;
    }
    quiz::QuizForm form(std::make_unique<quiz::SeededRandomSource>(*line.seed), {});
    for (int turn = 1; turn <= kTurns; ++turn) {
        if (turn > 1) {
            findControl<QPushButton>(form, "Command1")->click();
        }
        std::printf("turn %d: series %d, real side %d | %s | %s\n", turn,
                    form.model().turn().CurrencyNo, form.model().turn().RealSide,
                    qPrintable(items(*findControl<QListWidget>(form, "List1_0"))),
                    qPrintable(items(*findControl<QListWidget>(form, "List1_1"))));
    }
    return 0;
}
