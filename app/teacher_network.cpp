#include "app/teacher_network.h"

#include "app/console_output.h"
#include "app/lesson_hosting.h"
#include "app/panel_hosting.h"
#include "service/announce/lesson_announcer.h"
#include "service/system/login_names.h"
#include "window/teacher/network_panel.h"
#include "window/teacher/teacher_window.h"

namespace quiz {

namespace {

class HostedTeacherNetwork final : public TeacherNetwork {
public:
    explicit HostedTeacherNetwork(const CommandLine& line)
        : hosting_(line.teacherDir, HostOptions{}.address, {}, line.anyNetwork) {}

    bool serveAsAsked(const CommandLine& line, QString& refusal) override {
        if (!line.servePort) {
            return true;
        }
        std::unique_ptr<LessonHosting> serving = LessonHosting::start(line, refusal);
        if (!serving) {
            return false;
        }
        hosting_.adopt(std::move(serving));
        return true;
    }

    void attach(TeacherWindow& teacher) override {
        panel_ = teacher.offerNetworkLesson(hosting_, QString::fromStdString(loginName()),
                                            &announcer_);
        hosting_.onRowNotWritten(
            [panel = panel_](const QString& problem) { panel->warnRowNotWritten(problem); });
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
