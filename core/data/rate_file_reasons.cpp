#include "core/data/rate_file_reasons.h"

#include <array>

namespace quiz {

const char* rateReasonName(RateReason reason) {
    // In the order of the ids.
    static constexpr std::array<const char*, kRateReasonCount> kNames{
        "Utf16",
        "UnclosedQuote",
        "TextAfterQuote",
        "NotANumber",
        "TooManyDigits",
        "NotPositive",
        "NoRows",
        "Empty",
        "TooManyColumns",
        "NoValueColumn",
        "WiderThanHeader",
        "WiderThanFirstRow",
        "NarrowerThanHeader",
        "NarrowerThanFirstRow",
        "NoDate",
        "NotADate",
        "RepeatedDate",
        "OutOfRisingOrder",
        "OutOfFallingOrder",
        "NoValue",
        "LongestNamed",
        "LongestUnnamed",
        "LongestNumbered",
        "TooManyDigitsToAdd",
        "StandsStill",
        "ThousandsJump",
        "SplitDecimals",
        "RoundsToZero",
    };
    const auto index = static_cast<std::size_t>(reason);
    return index < kNames.size() ? kNames[index] : "?";
}

} // namespace quiz
