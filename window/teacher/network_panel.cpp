#include "window/teacher/network_panel.h"

#include "core/qr_code/qr_code.h"
#include "service/announce/lesson_announcer.h"
#include "service/words/utf8_string.h"
#include "window/common/warning_colour.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quiz {

namespace {

constexpr double kLargeType = 2.4; // read from the back of a classroom
constexpr int kQrPixels = 320;     // the drawn code's side on screen, for phones across a desk
constexpr int kLeastPort = 1024;   // below, a teacher's account may not listen

// What a teacher who is not the computer's administrator can ask for, and the way on meanwhile.
QString whatToAskIt(quint16 port) {
    return utf8("Помолете ИТ отдела да разреши входящи TCP връзки към порт %1 на този компютър "
                "(и UDP порт %2, за да го намират програмите на учениците), или изберете друг "
                "порт. Дотогава урокът може да върви с папката на класа.")
        .arg(port)
        .arg(kAnnouncePort);
}

QLabel* largeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont large = label->font();
    large.setPointSizeF(large.pointSizeF() * kLargeType);
    large.setBold(true);
    label->setFont(large);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

QImage qrImageOf(const QString& text) {
    const auto code = qrCodeOf(text.toStdString());
    if (!code) {
        return {};
    }
    const int side = code->size + 2 * kQrQuietModules;
    QImage image(side, side, QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    image.fill(0);
    for (int row = 0; row < code->size; ++row) {
        for (int column = 0; column < code->size; ++column) {
            if (code->dark(row, column)) {
                image.setPixel(column + kQrQuietModules, row + kQrQuietModules, 1);
            }
        }
    }
    return image;
}

NetworkPanel::NetworkPanel(HostingSwitch& hosting, QString teacher, QString className,
                           LessonAnnouncer* announcer, QWidget* parent)
    : QGroupBox(utf8("Урок в мрежата"), parent), hosting_(hosting), teacher_(std::move(teacher)),
      className_(std::move(className)), announcer_(announcer) {
    setObjectName(QStringLiteral("networkPanel"));
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("networkPort"));
    port_->setRange(kLeastPort, 65535);
    port_->setValue(kDefaultLessonPort);
    start_ = new QPushButton(utf8("Започни урока в мрежата"), this);
    start_->setObjectName(QStringLiteral("networkStart"));
    stop_ = new QPushButton(utf8("Спри урока в мрежата"), this);
    stop_->setObjectName(QStringLiteral("networkStop"));
    folder_ = new QPushButton(utf8("Урок с папката на класа"), this);
    folder_->setObjectName(QStringLiteral("networkFolderLesson"));
    address_ = largeLabel(this, "networkAddress");
    code_ = largeLabel(this, "networkCode");
    qrLabel_ = new QLabel(this);
    qrLabel_->setObjectName(QStringLiteral("networkQr"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("networkStatus"));
    status_->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(utf8("Порт:"), this));
    buttons->addWidget(port_);
    buttons->addWidget(start_);
    buttons->addWidget(stop_);
    buttons->addWidget(folder_);
    buttons->addStretch();
    // The address and the code read together, level with the middle of the QR code.
    auto* whereToJoin = new QVBoxLayout;
    whereToJoin->addStretch();
    whereToJoin->addWidget(address_);
    whereToJoin->addWidget(code_);
    whereToJoin->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addLayout(buttons, 0, 0, 1, 2);
    layout->addLayout(whereToJoin, 1, 0);
    layout->addWidget(qrLabel_, 1, 1);
    layout->addWidget(status_, 2, 0, 1, 2);
    connect(start_, &QPushButton::clicked, this, &NetworkPanel::start);
    connect(stop_, &QPushButton::clicked, this, &NetworkPanel::stop);
    connect(folder_, &QPushButton::clicked, this, &NetworkPanel::folderLessonChosen);
    showStopped();
}

NetworkPanel::~NetworkPanel() {
    stop();
}

bool NetworkPanel::start() {
    const auto port = static_cast<quint16>(port_->value());
    const auto outcome = hosting_.start(port);
    if (const auto* failed = std::get_if<HostingSwitch::Failed>(&outcome)) {
        showFailure(failed->reason, port);
        return false;
    }
    showStarted(std::get<HostingSwitch::Started>(outcome));
    return true;
}

void NetworkPanel::stop() {
    if (!serving_) {
        return;
    }
    if (announcer_) {
        announcer_->stop();
    }
    hosting_.stop();
    showStopped();
}

void NetworkPanel::showStarted(const HostingSwitch::Started& started) {
    serving_ = true;
    const QString address = started.address.toString();
    // Started from the command line, the port is the one listened on, not the box's.
    if (started.address.port() > 0) {
        port_->setValue(started.address.port());
    }
    address_->setText(utf8("Адрес: ") + address);
    code_->setText(utf8("Код: ") + started.joinCode);
    qr_ = qrImageOf(address);
    qrLabel_->setPixmap(QPixmap::fromImage(qr_.scaled(kQrPixels, kQrPixels)));
    status_->setPalette(palette());
    status_->setText(utf8("Учениците отварят адреса в браузъра или избират урока в програмата "
                          "си и пишат името си и кода."));
    start_->setEnabled(false);
    port_->setEnabled(false);
    stop_->setEnabled(true);
    folder_->setVisible(false);
    if (announcer_) {
        announcer_->start({started.address, teacher_, className_});
    }
    if (started.firewallBlocks) {
        // Served all the same: the rule may come while the lesson runs.
        showWarning(utf8("Защитната стена на Windows не пуска другите компютри до урока "
                         "(инсталирана с пакета MSI, програмата има правило за това).\n") +
                    whatToAskIt(static_cast<quint16>(port_->value())));
        folder_->setVisible(true);
    }
}

void NetworkPanel::showFailure(const QString& reason, quint16 port) {
    showWarning(reason + u'\n' + whatToAskIt(port));
    folder_->setVisible(true);
}

void NetworkPanel::showWarning(const QString& text) {
    QPalette warning = palette();
    warning.setColor(QPalette::WindowText, warningColour(warning.color(QPalette::Window)));
    status_->setPalette(warning);
    status_->setText(text);
}

void NetworkPanel::warnRowNotWritten(const QString& problem, int lost) {
    if (lost == 0) {
        showWarning(utf8("Отговор не е записан в папката на класа: %1. Проверете папката: докато "
                         "не е достъпна, урокът пази отговорите на този компютър и ги записва, "
                         "щом тя се върне.")
                        .arg(problem));
        return;
    }
    showWarning(utf8("Папката на класа не прие отговори и те са загубени (%1): %2. Проверете "
                     "свободното място на диска и правата на папката.")
                    .arg(lost)
                    .arg(problem));
}

void NetworkPanel::showStopped() {
    serving_ = false;
    qr_ = QImage();
    address_->clear();
    code_->clear();
    qrLabel_->clear();
    status_->setPalette(palette());
    status_->setText(utf8("Урокът не е в мрежата."));
    start_->setEnabled(true);
    port_->setEnabled(true);
    stop_->setEnabled(false);
    folder_->setVisible(false);
}

} // namespace quiz
