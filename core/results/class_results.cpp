#include "core/results/class_results.h"

#include "core/results/class_file.h"
#include "core/results/run_check.h"

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
    const bool changed = file->second->take(newBytes);
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
