#include "service/announce/lesson_announcer.h"

namespace quiz {

LessonAnnouncer::LessonAnnouncer(QObject* parent, QHostAddress target, quint16 port)
    : QObject(parent), target_(std::move(target)), port_(port) {
    timer_.setInterval(kAnnounceIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &LessonAnnouncer::send);
}

void LessonAnnouncer::start(const LessonAnnouncement& announcement) {
    datagram_ = announcementDatagram(announcement);
    // A lesson only this computer can reach is told to this computer only, not to the network.
    to_ = QHostAddress(announcement.address.host()).isLoopback()
              ? QHostAddress(QHostAddress::LocalHost)
              : target_;
    send();
    timer_.start();
}

void LessonAnnouncer::stop() {
    timer_.stop();
}

void LessonAnnouncer::send() {
    // A network that drops broadcasts only keeps pupils from finding the lesson: they can
    // still type its address, so a failed send is not the teacher's to read.
    socket_.writeDatagram(datagram_, to_, port_);
}

} // namespace quiz
