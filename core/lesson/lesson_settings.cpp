#include "core/lesson/lesson_settings.h"

#include "core/data/data_ids.h"
#include "core/random/seed_text.h"
#include "core/seal/seal_keys.h"
#include "core/text/message_text.h"
#include "core/text/utf8_text.h"
#include "core/turns/level.h"

#include <algorithm>
#include <array>
#include <string>

namespace quiz {

namespace {

constexpr std::string_view kEnd = "end";
constexpr char kComment = '#';
constexpr std::string_view kTitle = "# Real or generated data: the lesson's settings";

struct Entry {
    std::string_view name;
    std::string LessonSettings::*value;
};

constexpr std::array<Entry, 6> kEntries{{
    {"level", &LessonSettings::level},
    {"data", &LessonSettings::data},
    {"seed", &LessonSettings::seed},
    {"seed-key", &LessonSettings::seedKey},
    {"written-by", &LessonSettings::writtenBy},
    {"written-at", &LessonSettings::writtenAt},
}};

std::string_view withoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    return line;
}

bool hasEndLine(std::string_view text) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (withoutLineEnd(text.substr(start, end - start)) == kEnd) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

LessonRead refused(LessonProblem problem, std::vector<std::string> arguments = {}) {
    return {std::nullopt, problem, std::move(arguments)};
}

// The settings as the file ended them, or the first value no command line would take.
LessonRead checked(const LessonSettings& settings) {
    if (!settings.level.empty() && !levelFromText(settings.level)) {
        return refused(LessonProblem::BadLevel, {quotedForMessage(settings.level)});
    }
    if (!settings.data.empty() && !isBuiltInData(settings.data) &&
        !isPlainFileName(settings.data)) {
        return refused(LessonProblem::DataOutside, {quotedForMessage(settings.data)});
    }
    if (!settings.seed.empty() && !seedFromText(settings.seed)) {
        return refused(LessonProblem::BadSeed, {quotedForMessage(settings.seed)});
    }
    if (!settings.seedKey.empty() && !isSealPublicKey(settings.seedKey)) {
        return refused(LessonProblem::BadKey);
    }
    return {settings, LessonProblem::Unfinished, {}};
}

} // namespace

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    // What Windows refuses in a name as well, so that a lab of both systems reads one file.
    constexpr std::string_view kNotInAName = "/\\:*?\"<>|";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (kNotInAName.find(c) != std::string_view::npos || byte < 0x20 || byte == 0x7f) {
            return false;
        }
    }
    return name.back() != '.' && name.back() != ' ';
}

LessonRead readLessonSettings(std::string_view bytes) {
    if (bytes.size() > kLessonSettingsMostBytes) {
        return refused(LessonProblem::TooLarge, {std::to_string(kLessonSettingsMostBytes)});
    }
    const std::string_view text = withoutByteOrderMark(bytes);
    if (!isValidUtf8(text)) {
        return refused(LessonProblem::NotUtf8);
    }
    // Cut anywhere, a file is told as unfinished, not by the broken line where it was cut.
    if (!hasEndLine(text)) {
        return refused(LessonProblem::Unfinished);
    }
    LessonSettings settings;
    std::array<bool, kEntries.size()> seen{};
    std::size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line =
            withoutLineEnd(text.substr(start, end == std::string_view::npos ? end : end - start));
        start = end == std::string_view::npos ? text.size() : end + 1;
        if (line == kEnd) {
            return checked(settings);
        }
        if (line.empty() || line.front() == kComment) {
            continue;
        }
        const std::size_t equals = line.find('=');
        const std::string where = std::to_string(number);
        if (equals == std::string_view::npos) {
            return refused(LessonProblem::NotAnEntry, {where, quotedForMessage(line)});
        }
        const std::string_view name = line.substr(0, equals);
        std::size_t index = 0;
        while (index < kEntries.size() && kEntries[index].name != name) {
            ++index;
        }
        if (index == kEntries.size()) {
            return refused(LessonProblem::UnknownName, {where, quotedForMessage(name)});
        }
        if (seen[index]) {
            return refused(LessonProblem::RepeatedName, {where, quotedForMessage(name)});
        }
        seen[index] = true;
        settings.*kEntries[index].value = std::string(line.substr(equals + 1));
    }
    return refused(LessonProblem::Unfinished);
}

std::string lessonSettingsText(const LessonSettings& settings) {
    std::string text = std::string(kTitle) + "\r\n";
    for (const Entry& entry : kEntries) {
        // One line each: a line end inside a value would end it early.
        std::string value = settings.*entry.value;
        std::erase_if(value, [](char c) { return c == '\r' || c == '\n'; });
        text += std::string(entry.name) + '=' + value + "\r\n";
    }
    return text + std::string(kEnd) + "\r\n";
}

} // namespace quiz
