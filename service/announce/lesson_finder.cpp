#include "service/announce/lesson_finder.h"

#include <QDeadlineTimer>
#include <QNetworkDatagram>

#include <algorithm>

namespace quiz {

LessonFinder::LessonFinder(QObject* parent, Clock clock)
    : QObject(parent), clock_(std::move(clock)) {
    if (!clock_) {
        clock_ = [] { return QDeadlineTimer::current().deadline(); };
    }
    connect(&socket_, &QUdpSocket::readyRead, this, &LessonFinder::readPending);
    forgetTimer_.setInterval(kLessonHeardForMs / 3);
    connect(&forgetTimer_, &QTimer::timeout, this, &LessonFinder::forgetOld);
}

bool LessonFinder::listen(const QHostAddress& address, quint16 port) {
    // Shared, so that the teacher's own quiz and a second quiz on one computer both hear.
    if (!socket_.bind(address, port,
                      QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        return false;
    }
    forgetTimer_.start();
    return true;
}

QList<LessonAnnouncement> LessonFinder::lessons() const {
    const qint64 now = clock_();
    QList<LessonAnnouncement> recent;
    for (const Heard& heard : heard_) {
        if (now - heard.at < kLessonHeardForMs) {
            recent.append(heard.announcement);
        }
    }
    return recent;
}

void LessonFinder::readPending() {
    bool changed = false;
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket_.receiveDatagram(kMostAnnouncementBytes + 1);
        const auto announcement = readAnnouncement(datagram.data());
        if (!announcement) {
            continue;
        }
        const auto same = std::find_if(heard_.begin(), heard_.end(), [&](const Heard& h) {
            return h.announcement.address == announcement->address;
        });
        if (same != heard_.end()) {
            changed = changed || same->announcement != *announcement;
            *same = Heard{*announcement, clock_()};
        } else {
            heard_.append(Heard{*announcement, clock_()});
            changed = true;
        }
    }
    forgetOld();
    if (changed) {
        emit lessonsChanged();
    }
}

void LessonFinder::forgetOld() {
    const qint64 now = clock_();
    const auto old = std::remove_if(heard_.begin(), heard_.end(), [&](const Heard& heard) {
        return now - heard.at >= kLessonHeardForMs;
    });
    if (old != heard_.end()) {
        heard_.erase(old, heard_.end());
        emit lessonsChanged();
    }
}

} // namespace quiz
