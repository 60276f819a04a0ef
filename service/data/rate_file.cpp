#include "service/data/rate_file.h"

#include "core/platform/regular_file.h"
#include "core/text/message_text.h"
#include "service/system/system_path.h"
#include "service/words/rate_reason_words.h"

#include <cerrno>
#include <cstring>

namespace quiz {

namespace {

// Whatever a file's name holds (a line break in a path), the refusal stays one line.
QString oneLine(const QString& text) {
    return QString::fromStdString(scrubControls(text.toStdString()));
}

QString say(Audience audience, const char* source, const QString& path) {
    return oneLine(translated(audience, "quiz", source).arg(path));
}

QString notReadText(const platform::RegularFile& file, const QString& path, Audience audience) {
    using Outcome = platform::RegularFile::Outcome;
    if (file.outcome == Outcome::NotRegular) {
        return file.kind == FileKind::Folder
                   ? say(audience, "%1: is not a file of rates but a folder", path)
                   : say(audience, "%1: is not a file of rates but a special file", path);
    }
    if (file.outcome == Outcome::Missing) {
        return say(audience, "%1: cannot be read: there is no such file", path);
    }
    if (file.errorNumber == EACCES) {
        return say(audience, "%1: cannot be read: no permission to read it", path);
    }
    return unreadableRateFile(path, QString::fromLocal8Bit(std::strerror(file.errorNumber)),
                              audience);
}

} // namespace

RateFile readRateFile(const QString& path, Audience audience) {
    platform::RegularFile file =
        platform::readRegularFile(systemPath(path), std::size_t{kLargestRateFile} + 1);
    if (file.outcome != platform::RegularFile::Outcome::Read) {
        return {{}, notReadText(file, path, audience)};
    }
    if (static_cast<qint64>(file.bytes.size()) > kLargestRateFile) {
        return {{}, say(audience, "%1: is larger than 64 MB, too large for a file of rates", path)};
    }
    return {std::move(file.bytes), {}};
}

std::optional<RateTable> readRates(const RateFile& file, const QString& path, Audience audience,
                                   QString& refusal, const Progress& progress) {
    try {
        return readRateTable(file.bytes, path.toStdString(), progress);
    } catch (const RateFileError& refused) {
        refusal = rateFileRefusal(refused, audience);
    }
    return std::nullopt;
}

QString rateFileRefusal(const RateFileError& refused, Audience audience) {
    // The windows are Bulgarian; the console speaks the language its messages were loaded in.
    const Wording wording = audience == Audience::Window || messagesAreBulgarian()
                                ? Wording::Bulgarian
                                : Wording::English;
    return oneLine(QString::fromStdString(
        refused.place() + ": " + rateReasonText(refused.reason(), refused.arguments(), wording)));
}

QString unreadableRateFile(const QString& path, const QString& reason, Audience audience) {
    return oneLine(translated(audience, "quiz", "%1: cannot be read: %2").arg(path, reason));
}

} // namespace quiz
