#include "service/network/pupil_files.h"

#include "core/network_lesson/lesson_restore.h"
#include "core/results/class_file_name.h"
#include "service/system/system_path.h"
#include "service/words/system_reason_words.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace quiz {

PupilFiles::PupilFiles(QString folder, std::string host)
    : folder_(std::move(folder)), host_(std::move(host)) {}

std::vector<RestoredPupil> PupilFiles::readBack() const {
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

ResultsFile* PupilFiles::fileOf(const std::string& pupil, QString& problem) {
    if (const auto found = files_.find(pupil); found != files_.end()) {
        return found->second.get();
    }
    const std::string name = classFileName(pupil, host_, QDateTime::currentSecsSinceEpoch());
    std::string path = systemPath(QDir(folder_).filePath(QString::fromStdString(name)));
    ResultsFile::OpenError error;
    // A pupil back after a restart within the same second finds their name taken: the one
    // beside it is theirs.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (auto file = ResultsFile::open(path, csvHeader(), ResultsFile::Mode::CreateNew, error)) {
            return files_.emplace(pupil, std::move(file)).first->second.get();
        }
        if (error.suggestedPath.empty()) {
            break;
        }
        path = error.suggestedPath;
    }
    problem = QString::fromStdString(bulgarianReason(error.errorNumber, error.text));
    return nullptr;
}

PupilFiles::~PupilFiles() {
    retry();
}

namespace {

void addOutcome(const WriteOutcome& outcome, Filing& filing) {
    if (!outcome.written) {
        filing.problem = QString::fromStdString(bulgarianReason(outcome.errorNumber, outcome.error));
    }
    filing.lost += outcome.lost;
}

} // namespace

Filing PupilFiles::append(const ResultRow& row) {
    Filing filing;
    writeInOrder(row.pupil, csvLine(row), filing);
    return filing;
}

void PupilFiles::writeInOrder(const std::string& pupil, std::string line, Filing& filing) {
    std::vector<std::string>& unfiled = unfiled_[pupil];
    if (!line.empty()) {
        unfiled.push_back(std::move(line));
    }
    ResultsFile* file = fileOf(pupil, filing.problem);
    if (!file) {
        return;
    }
    // Once the file is made, its own keeping (ResultsFile) holds what it cannot write yet.
    for (const std::string& each : unfiled) {
        addOutcome(file->append(each), filing);
    }
    unfiled_.erase(pupil);
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
            addOutcome(file->writeKept(), filing);
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
