#include "app/data_choice.h"

#include "core/rate_table.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTranslator>

namespace quiz {

namespace {

// Far beyond any file of daily rates (the ECB's whole history is under 2 MB).
constexpr qint64 kLargestFile = 64 * 1024 * 1024;
constexpr int kIdHexDigits = 12;

// A message in `language`, or in the user's language (the installed translations) without one.
QString say(const QTranslator* language, const char* context, const char* source) {
    if (!language) {
        return QCoreApplication::translate(context, source);
    }
    const QString text = language->translate(context, source);
    return text.isEmpty() ? QString::fromUtf8(source) : text;
}

QString refusalText(const RateFileError& refused, const QTranslator* language) {
    const QString pattern = say(language, "rates", refused.pattern().c_str());
    return QString::fromStdString(refused.place() + ": " +
                                  filledIn(pattern.toStdString(), refused.arguments()));
}

} // namespace

QString dataFileId(const QString& path, const QByteArray& bytes) {
    const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    return QFileInfo(path).fileName() + u'@' + QString::fromLatin1(hash.left(kIdHexDigits));
}

std::shared_ptr<const DataSet> loadData(const QString& argument, QString& error,
                                        const QTranslator* language) {
    try {
        if (argument == QStringLiteral("catalogue")) {
            return DataSet::catalogue();
        }
        if (argument == QStringLiteral("ecb")) {
            return DataSet::ecb();
        }
        QFile file(argument);
        const QFileInfo info(argument);
        // A folder, a pipe or a device is no file of rates, and opening a pipe could block.
        if (info.exists() && !info.isFile()) {
            error = argument + say(language, "quiz", ": is not a file of rates but a ") +
                    (info.isDir() ? say(language, "quiz", "folder")
                                  : say(language, "quiz", "special file"));
            return nullptr;
        }
        if (!file.open(QIODevice::ReadOnly)) {
            error = argument + say(language, "quiz", ": cannot be read: ") +
                    (!info.exists()       ? say(language, "quiz", "there is no such file")
                     : !info.isReadable() ? say(language, "quiz", "no permission to read it")
                                          : file.errorString());
            return nullptr;
        }
        if (file.size() > kLargestFile) {
            error = argument +
                    say(language, "quiz", ": is larger than 64 MB, too large for a file of rates");
            return nullptr;
        }
        const QByteArray bytes = file.read(kLargestFile + 1);
        const std::string name = argument.toStdString();
        return DataSet::fromTable(
            readRateTable({bytes.constData(), std::size_t(bytes.size())}, name), DataKind::File,
            // Kept from the root: the repeat command may be typed in anywhere.
            dataFileId(argument, bytes).toStdString(), info.absoluteFilePath().toStdString());
    } catch (const RateFileError& refused) {
        error = refusalText(refused, language);
    }
    return nullptr;
}

} // namespace quiz
