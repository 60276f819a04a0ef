#include "service/class/class_folder.h"

#include "core/data/content_id.h"
#include "core/data/data_ids.h"
#include "core/lesson/lesson_settings.h"
#include "service/data/rate_file.h"
#include "service/words/file_kind_words.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <string_view>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace quiz {

namespace {

// Read in slices, so that a huge stray file never takes all the memory at once.
constexpr qint64 kSlice = 4 * 1024 * 1024;

constexpr const char* kNotReadable = "няма разрешение за четене";
constexpr const char* kGone =
    "файлът вече не е в папката; показано е прочетеното от него преди това";
constexpr const char* kTooLarge =
    "%1 MB – повече, отколкото един урок може да запише; не е прочетен";

// Whether the file still holds, just before `offset`, the bytes last read from it there: if
// not, it was cut or rewritten. A change before those bytes is not seen here.
bool continuesFrom(QFile& file, std::uint64_t offset, std::string_view lastBytes) {
    const auto from = static_cast<qint64>(offset - lastBytes.size());
    if (static_cast<std::uint64_t>(file.size()) < offset || !file.seek(from)) {
        return false;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(lastBytes.size()));
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())) == lastBytes;
}

// Which file an open name stands for, so that a save by rename (a new file under the old name)
// is known even when its end reads the same. Where the system gives no such identity, the
// bytes before the offset are all that is checked.
ClassFolder::FileIdentity identityOf(const QFile& file) {
#ifdef Q_OS_UNIX
    struct stat status {};
    if (fstat(file.handle(), &status) == 0) {
        return {static_cast<quint64>(status.st_dev), static_cast<quint64>(status.st_ino)};
    }
#else
    Q_UNUSED(file);
#endif
    return {};
}

} // namespace

ClassFolder::ClassFolder(QString path, std::optional<SealKeys> keys) : path_(std::move(path)) {
    results_.checkReplays([this](std::string_view id) { return findData(id); });
    if (keys) {
        results_.openSeeds(std::move(*keys));
    }
}

ClassFolder::State ClassFolder::refresh() {
    const QDir folder(path_);
    if (!folder.exists()) {
        return State::Missing;
    }
    // System entries too (pipes, devices, sockets), and unreadable files, so that each is
    // named with its reason rather than left out without a word.
    const QStringList names =
        folder.entryList({QStringLiteral("*.csv")}, QDir::Files | QDir::System | QDir::Hidden);
    if (names.isEmpty() && !results_.fileNames().empty()) {
        return State::Emptied;
    }
    unreadable_.clear();
    // A set, so that a folder of a thousand files is not searched a million times.
    const QSet<QString> present(names.cbegin(), names.cend());
    for (const std::string& known : results_.fileNames()) {
        if (const QString name = QString::fromStdString(known); !present.contains(name)) {
            unreadable_ << name + QStringLiteral(": ") + QString::fromUtf8(kGone);
            identities_.remove(name);
        }
    }
    for (const QString& name : names) {
        readNewBytes(name);
    }
    return State::Read;
}

void ClassFolder::readNewBytes(const QString& name) {
    const std::string key = name.toStdString();
    const QFileInfo info(QDir(path_).filePath(name));
    // Opening a pipe would wait for a writer, and a device may never end.
    if (!info.isFile()) {
        unreadable_ << name + QStringLiteral(": ") +
                           QString::fromStdString(notRegularFile(Wording::Bulgarian));
        return;
    }
    if (!info.isReadable()) {
        unreadable_ << name + QStringLiteral(": ") + QString::fromUtf8(kNotReadable);
        return;
    }
    if (info.size() > kLargestPupilFile) {
        constexpr qint64 kMegabyte = 1024 * 1024;
        unreadable_ << name + QStringLiteral(": ") +
                           QString::fromUtf8(kTooLarge).arg(info.size() / kMegabyte);
        return;
    }
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) {
        unreadable_ << name + QStringLiteral(": ") + file.errorString();
        return;
    }
    const FileIdentity identity = identityOf(file);
    if (identities_.value(name, identity) != identity ||
        !continuesFrom(file, results_.offset(key), results_.lastBytes(key))) {
        results_.restart(key);
        refused_.remove(name);
    }
    identities_.insert(name, identity);
    if (!file.seek(static_cast<qint64>(results_.offset(key)))) {
        unreadable_ << name + QStringLiteral(": ") + file.errorString();
        return;
    }
    // A file that is no results file is read no further than its first line.
    while (!file.atEnd() && !results_.refused(key)) {
        const QByteArray slice = file.read(results_.offset(key) == 0 ? kFirstRead : kSlice);
        if (slice.isEmpty()) {
            break;
        }
        results_.feed(key, {slice.constData(), static_cast<std::size_t>(slice.size())});
    }
    if (results_.refused(key)) {
        refused_.insert(name);
    }
}

// The stored series and the ECB's are built in; a teacher's file is the one the id names in
// the folder, or any of the folder's files that hold no results, known by the start of its
// SHA-256 whatever name the pupil read it by.
std::shared_ptr<const DataSet> ClassFolder::findData(std::string_view id) {
    if (id == kCatalogueData) {
        return DataSet::catalogue();
    }
    if (id == kEcbData) {
        return DataSet::ecb();
    }
    if (const auto found = data_.find(id); found != data_.end()) {
        return found->second;
    }
    std::shared_ptr<const DataSet> data;
    const std::size_t at = id.rfind('@');
    const std::string_view named = at == std::string_view::npos ? id : id.substr(0, at);
    // A name with a separator would lead out of the folder.
    if (at != std::string_view::npos && isPlainFileName(named)) {
        data =
            dataIn(QString::fromUtf8(named.data(), static_cast<qsizetype>(named.size())), id, true);
    }
    for (auto name = refused_.cbegin(); !data && name != refused_.cend(); ++name) {
        if (name->toStdString() != named) {
            data = dataIn(*name, id, false);
        }
    }
    data_.emplace(std::string(id), data);
    return data;
}

// The data set of the folder's file `name` when its bytes are those `id` ends with. The file
// the pupils' rows name (`named`) is read as the quiz reads one whatever its bytes, and why it
// cannot be used is kept for the teacher; any other is read only when it holds those bytes.
std::shared_ptr<const DataSet> ClassFolder::dataIn(const QString& name, std::string_view id,
                                                   bool named) {
    const QString path = QDir(path_).filePath(name);
    if (named && !QFileInfo(path).exists() && !QFileInfo(path).isSymLink()) {
        return nullptr; // it may lie in the folder under another name
    }
    const RateFile file = readRateFile(path, Audience::Window);
    const bool same =
        file.refusal.isEmpty() && id.substr(id.rfind('@') + 1) == contentId(file.bytes);
    if (!same && !named) {
        return nullptr;
    }
    QString refusal = file.refusal;
    std::shared_ptr<const DataSet> data;
    try {
        std::optional<RateTable> table;
        if (refusal.isEmpty()) {
            table = readRates(file, path, Audience::Window, refusal);
        }
        if (table && same) {
            data = DataSet::fromTable(std::move(*table), DataKind::File, std::string(id),
                                      name.toStdString());
        }
    } catch (const RateFileError& refused) {
        refusal = rateFileRefusal(refused, Audience::Window);
    }
    if (named && !refusal.isEmpty()) {
        dataRefused_ << refusal;
    }
    return data;
}

} // namespace quiz
