#include "app/data_choice.h"

#include "core/data/content_id.h"
#include "core/data/data_ids.h"
#include "core/data/rate_table.h"
#include "core/platform/regular_file.h"
#include "service/system/system_path.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <QTranslator>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace quiz {

namespace {

// Far beyond any file of daily rates (the ECB's whole history is under 2 MB).
constexpr qint64 kLargestFile = 64 * 1024 * 1024;
// Of the time a large file takes, the part spent reading its rows; the rest makes its windows.
constexpr double kRowsShare = 0.25;

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

QString dataFileId(const QString& path, std::string_view bytes) {
    return QFileInfo(path).fileName() + u'@' + QString::fromStdString(contentId(bytes));
}

std::shared_ptr<const DataSet> loadData(const QString& argument, QString& error,
                                        const QTranslator* language, const Progress& progress) {
    try {
        if (argument == QLatin1String(kCatalogueData)) {
            return DataSet::catalogue();
        }
        if (argument == QLatin1String(kEcbData)) {
            return DataSet::ecb();
        }
        const QFileInfo info(argument);
        // Read only as a regular file, checked on the open file: a pipe swapped in for it
        // cannot block the reader.
        const platform::RegularFile file =
            platform::readRegularFile(systemPath(argument), kLargestFile + 1);
        using Outcome = platform::RegularFile::Outcome;
        if (file.outcome == Outcome::NotRegular) {
            error = (file.folder
                         ? say(language, "quiz", "%1: is not a file of rates but a folder")
                         : say(language, "quiz", "%1: is not a file of rates but a special file"))
                        .arg(argument);
            return nullptr;
        }
        if (file.outcome != Outcome::Read) {
            error = file.outcome == Outcome::Missing
                        ? say(language, "quiz", "%1: cannot be read: there is no such file")
                              .arg(argument)
                    : file.errorNumber == EACCES
                        ? say(language, "quiz", "%1: cannot be read: no permission to read it")
                              .arg(argument)
                        : say(language, "quiz", "%1: cannot be read: %2")
                              .arg(argument, QString::fromLocal8Bit(std::strerror(file.errorNumber)));
            return nullptr;
        }
        if (static_cast<qint64>(file.bytes.size()) > kLargestFile) {
            error = say(language, "quiz", "%1: is larger than 64 MB, too large for a file of rates")
                        .arg(argument);
            return nullptr;
        }
        const std::string& bytes = file.bytes;
        const std::string name = argument.toStdString();
        const auto part = [&progress](double from, double share) -> Progress {
            if (!progress) {
                return {};
            }
            return [&progress, from, share](double done) { return progress(from + share * done); };
        };
        RateTable table = readRateTable(bytes, name, part(0, kRowsShare));
        // Kept from the root: the repeat command may be typed in anywhere.
        return DataSet::fromTable(
            std::move(table), DataKind::File, dataFileId(argument, bytes).toStdString(),
            info.absoluteFilePath().toStdString(), part(kRowsShare, 1 - kRowsShare));
    } catch (const RateFileError& refused) {
        error = refusalText(refused, language);
    }
    return nullptr;
}

// What one choice needs on its thread and gives back: the worker writes `data` and `error`,
// which the window's thread reads once the thread has finished.
struct DataLoader::Job {
    QString argument;
    std::atomic<bool> stop{false};
    std::atomic<int> percent{0};
    std::shared_ptr<const DataSet> data;
    QString error;
};

DataLoader::DataLoader(const QTranslator* language, QObject* parent)
    : QObject(parent), language_(language) {
#ifdef __GLIBC__
    // glibc raises the size from which a block gets a mapping of its own each time such a
    // block is freed; after the first data set, a new reader thread's large buffers then stay
    // in its arena when freed, and each reload of a large file added to the program's size.
    // Fixed at glibc's starting value, large blocks go back to the system when freed.
    constexpr int kOwnMappingFrom = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, kOwnMappingFrom);
#endif
    constexpr int kReportEveryMs = 100;
    ticker_.setInterval(kReportEveryMs);
    connect(&ticker_, &QTimer::timeout, this, &DataLoader::report);
}

DataLoader::~DataLoader() {
    cancel();
    for (QThread* thread : threads_) {
        thread->wait();
        delete thread;
    }
}

void DataLoader::load(const QString& argument) {
    cancel();
    auto job = std::make_shared<Job>();
    job->argument = argument;
    current_ = job;
    const QTranslator* language = language_;
    QThread* thread = QThread::create([job, language] {
        const Progress progress = [&job](double done) {
            job->percent = static_cast<int>(done * 100);
            return !job->stop;
        };
        try {
            job->data = loadData(job->argument, job->error, language, progress);
        } catch (const ReadingStopped&) {
            // A newer choice or the cancel button; nothing is delivered.
        } catch (const std::exception& failure) { // such as memory running out
            job->error = say(language, "quiz", "%1: cannot be read: %2")
                             .arg(job->argument, QString::fromLocal8Bit(failure.what()));
        }
    });
    threads_.append(thread);
    connect(thread, &QThread::finished, this, [this, thread, job] {
        threads_.removeOne(thread);
        thread->deleteLater();
        finish(job);
    });
    shownPercent_ = -1;
    ticker_.start();
    thread->start();
}

void DataLoader::cancel() {
    if (current_) {
        current_->stop = true;
        current_.reset();
    }
    ticker_.stop();
}

// Only the latest choice is delivered; the data moves out of the job, so nothing but the
// receiver keeps it.
void DataLoader::finish(const std::shared_ptr<Job>& job) {
    std::shared_ptr<const DataSet> data = std::move(job->data);
    if (job != current_) {
        return;
    }
    current_.reset();
    ticker_.stop();
    if (data) {
        emit loaded(std::move(data));
    } else {
        emit refused(job->error);
    }
}

void DataLoader::report() {
    if (current_ && current_->percent != shownPercent_) {
        shownPercent_ = current_->percent;
        emit progressed(shownPercent_);
    }
}

} // namespace quiz
