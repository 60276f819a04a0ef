#include "core/class/answer_row.h"

#include "core/data/data_ids.h"
#include "core/results/class_file_name.h"
#include "core/results/result_columns.h"
#include "core/results/result_time.h"
#include "core/seal/sealed_seed.h"
#include "core/text/message_text.h"
#include "core/turns/level.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace quiz {

namespace {

template <typename Number> std::optional<Number> wholeNumber(std::string_view text) {
    Number number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || text.front() == '-' || error != std::errc() ||
        end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

// A run's identity: kRunDigits hex digits.
std::optional<std::uint64_t> runNumber(std::string_view text) {
    std::uint64_t run = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), run, 16);
    if (text.size() != kRunDigits || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return run;
}

// Sealed text is base64; what is not cannot be a seed, nor be shown as one.
bool sealedShape(std::string_view text) {
    constexpr std::string_view kBase64 =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";
    return text.size() <= kSealedSeedMostCharacters &&
           text.find_first_not_of(kBase64) == std::string_view::npos;
}

bool bit(std::string_view text) {
    return text == "0" || text == "1";
}

// Whether `text` starts with `piece` followed by "_" or nothing; gives what follows the "_".
bool startsWithPiece(std::string_view& text, std::string_view piece) {
    if (!text.starts_with(piece) || (text.size() > piece.size() && text[piece.size()] != '_')) {
        return false;
    }
    text.remove_prefix(std::min(text.size(), piece.size() + 1));
    return true;
}

// A field's text with its doubled quotes undone. A field holding one is never a number, so the
// checks read `field.text` as it stands.
std::string text(const CsvField& field) {
    if (!field.escaped) {
        return std::string(field.text);
    }
    std::string unescaped;
    csvFieldText(field, unescaped);
    return unescaped;
}

std::string quoted(const CsvField& field) {
    std::string scratch;
    return quotedForMessage(csvFieldText(field, scratch));
}

} // namespace

std::string fileStem(std::string_view name) {
    constexpr std::string_view kExtension = ".csv";
    if (name.size() > kExtension.size()) {
        std::string extension(name.substr(name.size() - kExtension.size()));
        std::transform(extension.begin(), extension.end(), extension.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
        if (extension == kExtension) {
            return std::string(name.substr(0, name.size() - kExtension.size()));
        }
    }
    return std::string(name);
}

std::optional<ClassReason> rowProblem(const std::vector<CsvField>& fields, std::size_t width) {
    if (fields.size() != width) {
        return ClassReason{ClassReasonId::FieldCount,
                           {std::to_string(fields.size()), std::to_string(width)}};
    }
    // Today's files in a class folder leave the seed out: it is sealed for the teacher.
    const bool sealing = width > kSealedSeed;
    if (!wholeNumber<std::uint32_t>(fields[kSeed].text) &&
        !(sealing && fields[kSeed].text.empty())) {
        return ClassReason{ClassReasonId::SeedNotWhole, {quoted(fields[kSeed])}};
    }
    if (sealing && !runNumber(fields[kRun].text)) {
        return ClassReason{ClassReasonId::RunNotRead, {quoted(fields[kRun])}};
    }
    if (sealing && !sealedShape(fields[kSealedSeed].text)) {
        return ClassReason{ClassReasonId::SealedNotRead};
    }
    if (wholeNumber<int>(fields[kTurn].text).value_or(0) < 1) {
        return ClassReason{ClassReasonId::TurnNotCounting, {quoted(fields[kTurn])}};
    }
    for (const std::size_t column : {kRealSide, kChosenSide, kRight}) {
        if (!bit(fields[column].text)) {
            return ClassReason{ClassReasonId::NotABit,
                               {std::string(kColumns[column]), quoted(fields[column])}};
        }
    }
    if (width > kLevel && !isLevel(wholeNumber<int>(fields[kLevel].text).value_or(-1))) {
        return ClassReason{ClassReasonId::LevelOutOfRange,
                           {quoted(fields[kLevel]), std::to_string(kLevelCount - 1)}};
    }
    if (width > kStaircase && !wholeNumber<int>(fields[kStaircase].text)) {
        return ClassReason{ClassReasonId::StaircaseNotWhole, {quoted(fields[kStaircase])}};
    }
    const bool right = fields[kRight].text == "1";
    if (right != (fields[kRealSide].text == fields[kChosenSide].text)) {
        return ClassReason{right ? ClassReasonId::RightButOtherSide
                                 : ClassReasonId::WrongButSameSide};
    }
    return std::nullopt;
}

Answer answerOf(const std::vector<CsvField>& fields, std::size_t width,
                const std::string& filePupil) {
    const bool current = width > kLevel;
    Answer answer{.time = text(fields[kTime]),
                  .seed = wholeNumber<std::uint32_t>(fields[kSeed].text).value_or(0),
                  .turn = wholeNumber<int>(fields[kTurn].text).value_or(0),
                  .currency = text(fields[kCurrency]),
                  .realSide = fields[kRealSide].text == "1" ? 1 : 0,
                  .chosenSide = fields[kChosenSide].text == "1" ? 1 : 0,
                  .right = fields[kRight].text == "1",
                  .level = current ? wholeNumber<int>(fields[kLevel].text).value_or(0) : 0,
                  .data = current ? text(fields[kData]) : kCatalogueData,
                  .pupil =
                      current && !fields[kPupil].text.empty() ? text(fields[kPupil]) : filePupil,
                  .host = current ? text(fields[kHost]) : "",
                  .staircase = width > kStaircase
                                   ? wholeNumber<int>(fields[kStaircase].text).value_or(0)
                                   : 0};
    const std::optional<std::uint32_t> seed = wholeNumber<std::uint32_t>(fields[kSeed].text);
    answer.run = width > kSealedSeed ? runNumber(fields[kRun].text).value_or(0) : answer.seed;
    if (width > kSealedSeed && !seed) {
        answer.seedState =
            fields[kSealedSeed].text.empty() ? SeedState::Unsealed : SeedState::Sealed;
    }
    const std::optional<std::int64_t> utc = utcSeconds(answer.time);
    answer.utcSeconds = utc.value_or(0);
    answer.timeRead = utc.has_value();
    return answer;
}

bool isHeader(const std::vector<CsvField>& fields, std::size_t width) {
    return fields.size() == width && std::equal(fields.begin(), fields.end(), kColumns.begin(),
                                                [](const CsvField& field, std::string_view name) {
                                                    return !field.escaped && field.text == name;
                                                });
}

bool namedBy(std::string_view stem, std::string_view pupil, std::string_view host) {
    if (!startsWithPiece(stem, safeNamePiece(pupil))) {
        return false;
    }
    return stem.empty() || host.empty() || startsWithPiece(stem, safeNamePiece(host));
}

} // namespace quiz
