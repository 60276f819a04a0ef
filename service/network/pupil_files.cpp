#include "service/network/pupil_files.h"

#include "core/network_lesson/lesson_restore.h"
#include "core/results/class_file_name.h"
#include "service/system/system_path.h"
#include "service/words/system_reason_words.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace quiz {

PupilFiles::PupilFiles(QString folder, std::string host, std::string spoolFolder)
    : folder_(std::move(folder)), host_(std::move(host)), spoolFolder_(std::move(spoolFolder)) {}

std::vector<RestoredPupil> PupilFiles::readBack() const {
    if (!spoolFolder_.empty()) {
        deliverLeftSpools(spoolFolder_, {}, csvHeader());
    }
    LessonRestore restore(host_);
    const QFileInfoList files =
        QDir(folder_).entryInfoList({QStringLiteral("*.csv")}, QDir::Files | QDir::Readable);
    for (const QFileInfo& info : files) {
        QFile file(info.absoluteFilePath());
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            restore.readFile(std::string_view(bytes.constData(), bytes.size()));
        }
    }
    return restore.pupils();
}

namespace {

// A loss's reason wins over a wait's, and no outcome without a reason takes one away.
void addProblem(int errorNumber, const std::string& error, bool lost, Filing& filing) {
    if (!error.empty() && (lost || filing.lost == 0)) {
        filing.problem = QString::fromStdString(bulgarianReason(errorNumber, error));
    }
}

void addOutcome(const WriteOutcome& outcome, Filing& filing) {
    if (!outcome.written || outcome.lost > 0) {
        addProblem(outcome.errorNumber, outcome.error, outcome.lost > 0, filing);
    }
    filing.lost += outcome.lost;
}

} // namespace

ResultsFile* PupilFiles::fileOf(const std::string& pupil, Filing& filing) {
    if (const auto found = files_.find(pupil); found != files_.end()) {
        return found->second.get();
    }
    const auto unmade = unmade_.find(pupil);
    std::string path = unmade != unmade_.end()
                           ? unmade->second
                           : systemPath(QDir(folder_).filePath(QString::fromStdString(
                                 classFileName(pupil, host_, QDateTime::currentSecsSinceEpoch()))));
    ResultsFile::OpenError error;
    // A pupil back after a restart within the same second finds their name taken: the one
    // beside it is theirs.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (auto file = ResultsFile::open(path, csvHeader(), ResultsFile::Mode::CreateNew, error)) {
            unmade_.erase(pupil);
            return files_.emplace(pupil, std::move(file)).first->second.get();
        }
        if (error.suggestedPath.empty()) {
            break;
        }
        path = error.suggestedPath;
    }
    unmade_.emplace(pupil, path);
    addProblem(error.errorNumber, error.text, false, filing);
    return nullptr;
}

PupilFiles::~PupilFiles() {
    retry();
}

Filing PupilFiles::append(const ResultRow& row) {
    Filing filing;
    writeInOrder(row.pupil, csvLine(row), filing);
    return filing;
}

void PupilFiles::writeInOrder(const std::string& pupil, std::string line, Filing& filing) {
    std::vector<std::string>& unfiled = unfiled_[pupil];
    const bool added = !line.empty();
    if (added) {
        unfiled.push_back(std::move(line));
    }
    ResultsFile* file = fileOf(pupil, filing);
    if (!file) {
        if (added) {
            addToSpool(pupil, unmade_.at(pupil), unfiled.back());
        }
        return;
    }
    // Once the file is made, its own keeping (ResultsFile) holds what it cannot write yet.
    for (const std::string& each : unfiled) {
        const WriteOutcome outcome = file->append(each);
        addOutcome(outcome, filing);
        spool(pupil, *file, each, outcome);
    }
    unfiled_.erase(pupil);
}

void PupilFiles::spool(const std::string& pupil, const ResultsFile& file, std::string_view line,
                       const WriteOutcome& outcome) {
    if (outcome.status == WriteStatus::Kept) {
        addToSpool(pupil, file.path(), line);
    } else if (const auto found = spools_.find(pupil);
               found != spools_.end() && file.waitingRows() == 0) {
        found->second->clear();
    }
}

void PupilFiles::addToSpool(const std::string& pupil, const std::string& target,
                            std::string_view line) {
    if (spoolFolder_.empty()) {
        return;
    }
    std::unique_ptr<AnswerSpool>& kept = spools_[pupil];
    // The file moved (replaced, or made beside a name taken) since its last rows waited.
    if (kept && kept->rows() == 0 && kept->target() != target) {
        kept.reset();
    }
    if (!kept) {
        kept = AnswerSpool::open(spoolFolder_, target);
    }
    if (kept && !line.empty()) {
        kept->add(line);
    }
}

Filing PupilFiles::retry() {
    std::vector<std::string> unfiled;
    for (const auto& [pupil, rows] : unfiled_) {
        unfiled.push_back(pupil);
    }
    Filing filing;
    for (const std::string& pupil : unfiled) {
        writeInOrder(pupil, {}, filing);
    }
    for (const auto& [pupil, file] : files_) {
        if (file->waitingRows() > 0) {
            const WriteOutcome outcome = file->writeKept();
            addOutcome(outcome, filing);
            spool(pupil, *file, {}, outcome);
        }
    }
    return filing;
}

std::size_t PupilFiles::waiting() const {
    std::size_t count = 0;
    for (const auto& [pupil, rows] : unfiled_) {
        count += rows.size();
    }
    for (const auto& [pupil, file] : files_) {
        count += file->waitingRows();
    }
    return count;
}

} // namespace quiz
