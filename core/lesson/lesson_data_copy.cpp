#include "core/lesson/lesson_data_copy.h"

#include "core/lesson/lesson_settings.h"

#include <algorithm>
#include <cctype>

namespace quiz {

namespace {

constexpr std::string_view kEnding = ".csv";
constexpr std::string_view kUnnamed = "курсове";

bool endsInCsv(std::string_view name) {
    return name.size() > kEnding.size() &&
           std::equal(kEnding.begin(), kEnding.end(), name.end() - kEnding.size(),
                      [](char wanted, char c) {
                          return wanted == std::tolower(static_cast<unsigned char>(c));
                      });
}

} // namespace

std::string lessonCopyName(std::string_view chosenName) {
    std::string name;
    for (const char c : chosenName) {
        // Judged between letters, so that a dot on its own passes while a slash does not.
        name += isPlainFileName(std::string{'x', c, 'x'}) ? c : '_';
    }
    if (name.empty()) {
        name = kUnnamed;
    }
    const bool csv = endsInCsv(name);
    const std::string ending = csv ? name.substr(name.size() - kEnding.size()) : std::string(kEnding);
    std::string stem = csv ? name.substr(0, name.size() - kEnding.size()) : name;
    // Room left for "-999" and the ending within the 255 bytes a name may have; cut between
    // letters, never inside one.
    constexpr std::size_t kLongestStem = 200;
    if (stem.size() > kLongestStem) {
        std::size_t cut = kLongestStem;
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        stem.resize(cut);
    }
    return stem + ending;
}

std::string numberedDataName(std::string_view name, int number) {
    const std::size_t stem = endsInCsv(name) ? name.size() - kEnding.size() : name.size();
    return std::string(name.substr(0, stem)) + '-' + std::to_string(number) +
           std::string(name.substr(stem));
}

std::optional<LessonDataCopy>
lessonDataCopy(std::string_view chosenName,
               const std::function<FolderEntry(const std::string&)>& entryAt) {
    const std::string first = lessonCopyName(chosenName);
    for (int number = 1; number <= kMostDataCopies; ++number) {
        std::string name = number == 1 ? first : numberedDataName(first, number);
        switch (entryAt(name)) {
        case FolderEntry::Free:
            return LessonDataCopy{std::move(name), true};
        case FolderEntry::SameBytes:
            return LessonDataCopy{std::move(name), false};
        case FolderEntry::OtherBytes:
            break;
        }
    }
    return std::nullopt;
}

} // namespace quiz
