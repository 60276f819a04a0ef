#include "window/teacher/teacher_keys.h"

#include "service/words/utf8_string.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace quiz {

namespace {

constexpr const char* kFileName = "teacher.ini";
constexpr const char* kSecretKey = "seed-secret-key";
constexpr const char* kNotKept =
    "ключът на учителя не може да се запази в %1: пусканията в папката няма да записват "
    "началното си число";

} // namespace

TeacherKeys loadTeacherKeys() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString path = QDir(folder).filePath(QString::fromLatin1(kFileName));
    // Only this account may read the secret key, whatever the umask: the folder and the file.
    constexpr auto kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (folder.isEmpty() || !QDir().mkpath(folder) ||
        !QFile::setPermissions(folder, kOwnerOnly | QFileDevice::ExeOwner)) {
        return {std::nullopt, utf8(kNotKept).arg(QDir::toNativeSeparators(folder))};
    }
    QSettings settings(path, QSettings::IniFormat);
    const QString kept = settings.value(QString::fromLatin1(kSecretKey)).toString();
    if (std::optional<SealKeys> keys = sealKeysOf(kept.toStdString())) {
        return {std::move(keys), {}};
    }
    SealKeys keys = makeSealKeys();
    settings.setValue(QString::fromLatin1(kSecretKey), QString::fromStdString(keys.secretKey));
    settings.sync();
    if (keys.secretKey.empty() || settings.status() != QSettings::NoError ||
        !QFile::setPermissions(path, kOwnerOnly)) {
        return {std::nullopt, utf8(kNotKept).arg(QDir::toNativeSeparators(path))};
    }
    return {std::move(keys), {}};
}

} // namespace quiz
