// A build without Qt WebSockets: no lesson on the network. The teacher's view has no panel for
// it, the quiz's menu offers no joining, and --serve and --join are refused in one line.

#include "app/lesson_joining.h"
#include "app/teacher_network.h"

#include <QCoreApplication>

namespace quiz {

namespace {

class AbsentTeacherNetwork final : public TeacherNetwork {
public:
    bool serveAsAsked(const CommandLine&, QString&) override { return true; }
    void attach(TeacherWindow&) override {}
    void announceServing() override {}
};

} // namespace

std::unique_ptr<TeacherNetwork> makeTeacherNetwork(const CommandLine&) {
    return std::make_unique<AbsentTeacherNetwork>();
}

QString networkLessonRefusal(const CommandLine& line) {
    if (!line.servePort && !line.anyNetwork && line.joinAddress.isEmpty()) {
        return {};
    }
    return QCoreApplication::translate("quiz", "%1: this build has no lesson on the network "
                                               "(--serve, --any-network, --join); the class folder "
                                               "serves.")
        .arg(QCoreApplication::applicationName());
}

void offerJoining(QuizForm&, const CommandLine&, const NumberStyle&) {}

} // namespace quiz
