#pragma once

// The teacher's „Урок в мрежата“ panel over the program's own lesson host: started and stopped
// from the panel, or already serving when the start-up was given --serve.

#include "service/network/lesson_hosting.h"
#include "service/network/firewall.h"
#include "window/teacher/network_panel.h"

#include <QHostAddress>
#include <QString>

#include <functional>
#include <memory>

namespace quiz {

class PanelHosting final : public HostingSwitch {
public:
    // Whether other computers can reach the lesson on a port; the system's firewall by default.
    using FirewallCheck = std::function<InboundPermission(quint16 port)>;

    // Listening at `address` (every one of this computer's by default) when the panel starts,
    // answering only the local network unless `anyNetwork`.
    explicit PanelHosting(QString folder, QHostAddress address = HostOptions{}.address,
                          FirewallCheck firewall = {}, bool anyNetwork = false);

    // Takes over a host the start-up already listens with; the panel then shows it serving.
    void adopt(std::unique_ptr<LessonHosting> hosting);
    bool serving() const { return hosting_ != nullptr; }
    LessonHosting* hosting() { return hosting_.get(); }

    // Called with the reason whenever the host could not write a judged answer to its file.
    void onRowNotWritten(std::function<void(const QString&, int)> tell);

    std::variant<Started, Failed> start(quint16 port) override;
    void stop() override;

private:
    void follow();

    QString folder_;
    QHostAddress address_;
    FirewallCheck firewall_;
    bool anyNetwork_;
    std::unique_ptr<LessonHosting> hosting_;
    std::function<void(const QString&, int)> tell_;
};

} // namespace quiz
