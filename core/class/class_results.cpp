#include "core/class/class_results.h"

#include "core/class/class_file.h"
#include "core/class/run_check.h"

#include <utility>

namespace quiz {

ClassResults::ClassResults() = default;
ClassResults::~ClassResults() = default;
ClassResults::ClassResults(ClassResults&&) noexcept = default;
ClassResults& ClassResults::operator=(ClassResults&&) noexcept = default;

std::uint64_t ClassResults::offset(const std::string& name) const {
    const auto file = files_.find(name);
    return file == files_.end() ? 0 : file->second->offset;
}

std::string_view ClassResults::lastBytes(const std::string& name) const {
    const auto file = files_.find(name);
    return file == files_.end() ? std::string_view() : std::string_view(file->second->lastBytes);
}

bool ClassResults::feed(const std::string& name, std::string_view newBytes) {
    auto file = files_.find(name);
    if (file == files_.end()) {
        file = files_.emplace(name, std::make_unique<File>(name)).first;
    }
    const std::size_t before = file->second->answers.size();
    const bool changed = file->second->take(newBytes);
    openSealed(*file->second, before);
    if (changed) {
        totals_.reset();
    }
    return changed;
}

void ClassResults::restart(const std::string& name) {
    const auto file = files_.find(name);
    if (file != files_.end()) {
        file->second = std::make_unique<File>(name);
        totals_.reset();
    }
}

void ClassResults::forget(const std::string& name) {
    if (files_.erase(name) > 0) {
        totals_.reset();
    }
}

bool ClassResults::refused(const std::string& name) const {
    const auto file = files_.find(name);
    return file != files_.end() && file->second->refused;
}

void ClassResults::openSeeds(SealKeys keys) {
    keys_ = std::move(keys);
    opened_.clear();
    for (auto& entry : files_) {
        openSealed(*entry.second, 0);
    }
    runs_.clear();
    totals_.reset();
}

void ClassResults::openSealed(File& file, std::size_t first) {
    for (std::size_t i = first; i < file.answers.size(); ++i) {
        Answer& answer = file.answers[i];
        if (answer.sealedSeed.empty()) {
            continue;
        }
        answer.seedState = SeedState::Sealed;
        if (!keys_) {
            continue;
        }
        auto opened = opened_.find(answer.sealedSeed);
        if (opened == opened_.end()) {
            opened = opened_.emplace(answer.sealedSeed, openSeed(answer.sealedSeed, *keys_)).first;
        }
        // Sealed with another run, the text is not this run's seed.
        if (opened->second && opened->second->run == answer.run) {
            answer.seed = opened->second->seed;
            answer.seedState = opened->second->origin == SeedOrigin::CommandLine
                                   ? SeedState::Chosen
                                   : SeedState::Opened;
        }
    }
}

void ClassResults::checkReplays(DataFinder finder) {
    finder_ = std::move(finder);
    runs_.clear();
    totals_.reset();
}

std::vector<Skipped> ClassResults::notCounted() const {
    return totals().notCounted;
}

std::vector<std::string> ClassResults::fileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : files_) {
        names.push_back(entry.first);
    }
    return names;
}

std::vector<Skipped> ClassResults::skipped() const {
    std::vector<Skipped> all;
    for (const auto& [name, file] : files_) {
        all.insert(all.end(), file->skipped.begin(), file->skipped.end());
        if (file->moreSkipped > 0) {
            all.push_back(
                {name, 0, {ClassReasonId::MoreSkipped, {std::to_string(file->moreSkipped)}}});
        }
    }
    return all;
}

} // namespace quiz
