#include "app/teacher_network.h"

#include "app/console_output.h"
#include "app/panel_hosting.h"
#include "service/announce/lesson_announcer.h"
#include "service/network/lesson_hosting.h"
#include "service/system/login_names.h"
#include "window/teacher/network_panel.h"
#include "window/teacher/teacher_window.h"

#include <QCoreApplication>

namespace quiz {

namespace {

// Listening as --serve asks, or null with the one line saying why in `refusal`.
std::unique_ptr<LessonHosting> serveAsCommanded(const CommandLine& line, QString& refusal) {
    QHostAddress address = HostOptions{}.address;
    if (!line.serveAddress.isEmpty() && !address.setAddress(line.serveAddress)) {
        refusal = QCoreApplication::translate("quiz", "%1: \"%2\" is no address of this computer.")
                      .arg(QCoreApplication::applicationName(), line.serveAddress);
        return nullptr;
    }
    const quint16 port = line.servePort.value_or(0);
    QString problem;
    std::unique_ptr<LessonHosting> hosting =
        LessonHosting::listen(line.teacherDir, address, port, problem, line.anyNetwork);
    if (!hosting) {
        refusal = QCoreApplication::translate("quiz", "%1: cannot host the lesson at \"%2\": %3")
                      .arg(QCoreApplication::applicationName(),
                           line.serveAddress + u':' + QString::number(port), problem);
    }
    return hosting;
}

class HostedTeacherNetwork final : public TeacherNetwork {
public:
    explicit HostedTeacherNetwork(const CommandLine& line)
        : hosting_(line.teacherDir, HostOptions{}.address, {}, line.anyNetwork) {}

    bool serveAsAsked(const CommandLine& line, QString& refusal) override {
        if (!line.servePort) {
            return true;
        }
        std::unique_ptr<LessonHosting> serving = serveAsCommanded(line, refusal);
        if (!serving) {
            return false;
        }
        hosting_.adopt(std::move(serving));
        return true;
    }

    void attach(TeacherWindow& teacher) override {
        panel_ = teacher.offerNetworkLesson(hosting_, QString::fromStdString(loginName()),
                                            &announcer_);
        hosting_.onRowNotWritten([panel = panel_](const QString& problem, int lost) {
            panel->warnRowNotWritten(problem, lost);
        });
    }

    void announceServing() override {
        if (hosting_.serving() && panel_) {
            panel_->start();
            // Once this line is out, pupils can join.
            printOut(hosting_.hosting()->announcement() + u'\n');
        }
    }

private:
    PanelHosting hosting_;
    LessonAnnouncer announcer_;
    NetworkPanel* panel_ = nullptr;
};

} // namespace

std::unique_ptr<TeacherNetwork> makeTeacherNetwork(const CommandLine& line) {
    return std::make_unique<HostedTeacherNetwork>(line);
}

QString networkLessonRefusal(const CommandLine&) {
    return {};
}

} // namespace quiz
