#pragma once

// The teacher's „Урок в мрежата“ panel: starts and stops hosting the lesson, and shows pupils
// where to join (the address, its QR code and the join code), large enough for a projector.

#include <QGroupBox>
#include <QImage>
#include <QString>
#include <QUrl>

#include <variant>

class QLabel;
class QPushButton;
class QSpinBox;

namespace quiz {

class LessonAnnouncer;

// What the panel asks of the lesson's host; the start-up hands it the program's own.
class HostingSwitch {
public:
    struct Started {
        QUrl address;     // the one pupils open: http://192.168.1.20:8080/
        QString joinCode; // as pupils type it
        // The system's firewall turns other computers away: only this one could join.
        bool firewallBlocks = false;
    };
    // Why the host could not listen, in Bulgarian, as one line.
    struct Failed {
        QString reason;
    };

    virtual ~HostingSwitch() = default;
    // Starts serving on `port`; a host already serving keeps on.
    virtual std::variant<Started, Failed> start(quint16 port) = 0;
    virtual void stop() = 0;
};

inline constexpr quint16 kDefaultLessonPort = 8080;

class NetworkPanel : public QGroupBox {
    Q_OBJECT

public:
    // `announcer`, where given, tells the network of the lesson while it is served, as taught by
    // `teacher` to `className`.
    NetworkPanel(HostingSwitch& hosting, QString teacher, QString className,
                 LessonAnnouncer* announcer = nullptr, QWidget* parent = nullptr);
    ~NetworkPanel() override;

    // What the buttons do; true once serving.
    bool start();
    void stop();
    bool serving() const { return serving_; }
    // Says in the panel, as a warning, that an answer is not in the class folder yet.
    void warnRowNotWritten(const QString& problem, int lost);
    // The QR code as drawn, dark modules black, with its quiet zone; null while not serving.
    const QImage& qrImage() const { return qr_; }

signals:
    // The teacher chose the folder lesson after the network failed them.
    void folderLessonChosen();

private:
    void showStarted(const HostingSwitch::Started& started);
    void showFailure(const QString& reason, quint16 port);
    void showWarning(const QString& text);
    void showStopped();

    HostingSwitch& hosting_;
    QString teacher_;
    QString className_;
    LessonAnnouncer* announcer_;
    bool serving_ = false;
    QImage qr_;
    QSpinBox* port_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* folder_ = nullptr;
    QLabel* address_ = nullptr;
    QLabel* code_ = nullptr;
    QLabel* qrLabel_ = nullptr;
    QLabel* status_ = nullptr;
};

// The code's image: one pixel a module, black on white, with the quiet zone around; a null
// image for a text that makes no code.
QImage qrImageOf(const QString& text);

} // namespace quiz
