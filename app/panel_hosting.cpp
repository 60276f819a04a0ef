#include "app/panel_hosting.h"

#include "service/words/utf8_string.h"

#include <QCoreApplication>

namespace quiz {

PanelHosting::PanelHosting(QString folder, QHostAddress address, FirewallCheck firewall,
                           bool anyNetwork)
    : folder_(std::move(folder)), address_(std::move(address)), firewall_(std::move(firewall)),
      anyNetwork_(anyNetwork) {
    if (!firewall_) {
        firewall_ = [](quint16 port) {
            return inboundPermission(QCoreApplication::applicationFilePath(), port);
        };
    }
}

void PanelHosting::adopt(std::unique_ptr<LessonHosting> hosting) {
    hosting_ = std::move(hosting);
    follow();
}

void PanelHosting::onRowNotWritten(std::function<void(const QString&, int)> tell) {
    tell_ = std::move(tell);
    follow();
}

void PanelHosting::follow() {
    if (hosting_ && tell_) {
        QObject::connect(&hosting_->host(), &LessonHost::rowNotWritten, hosting_.get(), tell_);
    }
}

std::variant<HostingSwitch::Started, HostingSwitch::Failed> PanelHosting::start(quint16 port) {
    if (!hosting_) {
        QString problem;
        hosting_ = LessonHosting::listen(folder_, address_, port, problem, anyNetwork_);
        if (!hosting_) {
            // The panel is a window, and the windows speak Bulgarian in every locale.
            return Failed{utf8("Урокът не може да слуша на порт %1: %2.")
                              .arg(port)
                              .arg(problem)};
        }
        follow();
    }
    const QUrl address = hosting_->address();
    const bool blocked = firewall_(static_cast<quint16>(address.port())) == InboundPermission::Blocked;
    return Started{address, hosting_->joinCode(), blocked};
}

void PanelHosting::stop() {
    hosting_.reset();
}

} // namespace quiz
