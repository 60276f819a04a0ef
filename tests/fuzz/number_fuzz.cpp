// libFuzzer target for the number conventions: any bytes through the leading-number parse
// (which must never read past them), and every value it yields through both number texts in
// three styles, parsed back to within half a unit of the text's last place.

#include "core/text/leading_number.h"
#include "core/text/number_style.h"
#include "core/text/number_text.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

namespace {

const std::array<quiz::NumberStyle, 3> kStyles{{
    {.decimalSeparator = ".", .groupSeparator = ",", .groupSize = 3},
    {.decimalSeparator = ",", .groupSeparator = "\u00a0", .groupSize = 3},
    {.decimalSeparator = ".", .groupSeparator = "", .groupSize = 0},
}};

// The text as the parse reads it: group separators dropped, the decimal separator a point.
std::string normalised(std::string_view text, const quiz::NumberStyle& style) {
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        if (!style.groupSeparator.empty() && text.substr(i).starts_with(style.groupSeparator)) {
            i += style.groupSeparator.size();
        } else if (text.substr(i).starts_with(style.decimalSeparator)) {
            plain += '.';
            i += style.decimalSeparator.size();
        } else {
            plain += text[i++];
        }
    }
    return plain;
}

void expectNear(const std::string& text, double value, double back, double tolerance) {
    if (!(std::abs(back - value) <= tolerance)) {
        std::fprintf(stderr, "%.17g was written \"%s\", which reads back as %.17g\n", value,
                     text.c_str(), back);
        std::abort();
    }
}

void checkFixedFive(double value, const quiz::NumberStyle& style) {
    const std::string text = quiz::fixedFiveText(value, style);
    const std::size_t separator = text.rfind(style.decimalSeparator);
    if (separator == std::string::npos ||
        text.size() - separator - style.decimalSeparator.size() != 5) {
        std::fprintf(stderr, "%.17g was written \"%s\", not with five decimals\n", value,
                     text.c_str());
        std::abort();
    }
    // Half a unit of the fifth decimal, judged on the value's 15-digit form, which may itself
    // lie a unit of the 15th digit away.
    constexpr double kHalfUnit = 0.000005;
    const double tolerance = kHalfUnit * (1 + 1e-9) + std::abs(value) * 1e-14;
    expectNear(text, value, quiz::parseLeadingNumber(normalised(text, style)), tolerance);
}

void checkDefault(double value, const quiz::NumberStyle& style) {
    const std::string text = quiz::defaultText(value, style);
    if (text.find('E') != std::string::npos) {
        return; // exponent notation: the parse reads no exponents, by design
    }
    // Half a unit of the 15th significant digit, plus the rounding of the parse itself: a value
    // just under a half unit (1000.000004990005) reads back a unit of the last place further.
    const double readBackRounding = std::abs(value) * std::numeric_limits<double>::epsilon();
    const double tolerance = std::abs(value) * 5e-15 * (1 + 1e-9) + readBackRounding;
    expectNear(text, value, quiz::parseLeadingNumber(normalised(text, style)), tolerance);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const double value =
        quiz::parseLeadingNumber(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!std::isfinite(value)) {
        return 0;
    }
    for (const quiz::NumberStyle& style : kStyles) {
        checkFixedFive(value, style);
        checkDefault(value, style);
    }
    return 0;
}
