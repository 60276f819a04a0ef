#include "service/data/data_choice.h"

#include "core/data/content_id.h"
#include "core/data/data_ids.h"
#include "service/data/rate_file.h"

#include <QFileInfo>
#include <QThread>

#include <atomic>
#include <exception>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace quiz {

namespace {

// Of the time a large file takes, the part spent reading its rows; the rest makes its windows.
constexpr double kRowsShare = 0.25;

} // namespace

QString dataFileId(const QString& path, std::string_view bytes) {
    return QFileInfo(path).fileName() + u'@' + QString::fromStdString(contentId(bytes));
}

std::shared_ptr<const DataSet> loadData(const QString& argument, QString& error, Audience audience,
                                        const Progress& progress) {
    if (argument == QLatin1String(kCatalogueData)) {
        return DataSet::catalogue();
    }
    if (argument == QLatin1String(kEcbData)) {
        return DataSet::ecb();
    }
    const RateFile file = readRateFile(argument, audience);
    if (!file.refusal.isEmpty()) {
        error = file.refusal;
        return nullptr;
    }
    const auto part = [&progress](double from, double share) -> Progress {
        if (!progress) {
            return {};
        }
        return [&progress, from, share](double done) { return progress(from + share * done); };
    };
    std::optional<RateTable> table =
        readRates(file, argument, audience, error, part(0, kRowsShare));
    if (!table) {
        return nullptr;
    }
    try {
        // Kept from the root: the repeat command may be typed in anywhere.
        return DataSet::fromTable(
            std::move(*table), DataKind::File, dataFileId(argument, file.bytes).toStdString(),
            QFileInfo(argument).absoluteFilePath().toStdString(), part(kRowsShare, 1 - kRowsShare));
    } catch (const RateFileError& refused) {
        error = rateFileRefusal(refused, audience);
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

DataLoader::DataLoader(Audience audience, QObject* parent) : QObject(parent), audience_(audience) {
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
    const Audience audience = audience_;
    QThread* thread = QThread::create([job, audience] {
        const Progress progress = [&job](double done) {
            job->percent = static_cast<int>(done * 100);
            return !job->stop;
        };
        try {
            job->data = loadData(job->argument, job->error, audience, progress);
        } catch (const ReadingStopped&) {
            // A newer choice or the cancel button; nothing is delivered.
        } catch (const std::exception& failure) { // such as memory running out
            job->error =
                unreadableRateFile(job->argument, QString::fromLocal8Bit(failure.what()), audience);
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
