#include "app/lesson_joining.h"

#include "service/join/remote_quiz.h"
#include "service/system/login_names.h"
#include "window/join/join_dialog.h"

#include <QCryptographicHash>
#include <QSysInfo>
#include <QTimer>

namespace quiz {

namespace {

constexpr qsizetype kDeviceKeyChars = 32;

// The same for this account on this computer each time, so the host knows a pupil coming
// back; a digest, so the host learns nothing of the machine.
QString deviceKey() {
    QByteArray identity = QSysInfo::machineUniqueId();
    identity += '/' + QByteArray::fromStdString(hostName()) + '/' +
                QByteArray::fromStdString(loginName());
    return QString::fromLatin1(
        QCryptographicHash::hash(identity, QCryptographicHash::Sha256).toHex().left(kDeviceKeyChars));
}

void askToJoin(QuizForm& form, const JoinChoice& prefill, const QString& problem,
               const QString& decimal);

void join(QuizForm& form, const JoinChoice& choice, const QString& decimal) {
    auto remote = std::make_unique<RemoteQuiz>(
        choice.address, JoinDetails{choice.name, choice.code, deviceKey(), decimal});
    // Queued: the refused run is replaced only once it has finished saying so.
    QObject::connect(
        remote.get(), &RemoteQuiz::refusedBeforeJoining, &form,
        [&form, choice, decimal](const QString& text) { askToJoin(form, choice, text, decimal); },
        Qt::QueuedConnection);
    form.joinLesson(std::move(remote));
}

void askToJoin(QuizForm& form, const JoinChoice& prefill, const QString& problem,
               const QString& decimal) {
    LessonFinder finder;
    finder.listen(); // where it cannot hear, an address can still be typed
    JoinDialog dialog(finder, prefill, problem, &form);
    if (dialog.exec() == QDialog::Accepted) {
        join(form, dialog.choice(), decimal);
    }
}

} // namespace

void offerJoining(QuizForm& form, const CommandLine& line, const NumberStyle& style) {
    const QString decimal = QString::fromStdString(style.decimalSeparator);
    // The name the results of a run of its own would carry, for the pupil to keep or change.
    const QString name = line.pupil.isEmpty() ? QString::fromStdString(loginName()) : line.pupil;
    form.offerJoining();
    QObject::connect(&form, &QuizForm::joinRequested, &form, [&form, name, decimal] {
        askToJoin(form, {QUrl(), name, QString()}, QString(), decimal);
    });
    if (line.joinAddress.isEmpty()) {
        return;
    }
    const JoinChoice given{line.joinAddress, name, line.joinCode};
    if (!line.pupil.isEmpty() && !given.code.isEmpty()) {
        join(form, given, decimal);
        return;
    }
    // Once the window is up, so the dialog opens over it.
    QTimer::singleShot(0, &form, [&form, given, decimal] { askToJoin(form, given, {}, decimal); });
}

} // namespace quiz
