#include "service/words/rate_reason_words.h"

#include "core/text/message_text.h"

#include <cstddef>
#include <iterator>

namespace quiz {

namespace {

// A reason's words; %1, %2, … stand for its values, in the order rate_file_reasons.h gives them.
struct ReasonWords {
    RateReason id;
    const char* english;
    const char* bulgarian;
};

// In the order of the ids, so that an id is its words' index.
constexpr ReasonWords kWords[] = {
    {RateReason::Utf16, "the file is UTF-16 text; save it as CSV in UTF-8",
     "файлът е текст в UTF-16; запишете го като CSV в UTF-8"},
    {RateReason::UnclosedQuote, "a quote opened here is never closed",
     "кавичката, отворена тук, не е затворена"},
    {RateReason::TextAfterQuote, "text after a closing quote", "текст след затваряща кавичка"},
    {RateReason::NotANumber, "%1 is not a number", "%1 не е число"},
    {RateReason::TooManyDigits, "%1 has more than 15 digits", "%1 има повече от 15 цифри"},
    {RateReason::NotPositive, "%1 is not a positive number", "%1 не е положително число"},
    {RateReason::NoRows, "the header is not followed by any row of dates and values",
     "след заглавния ред няма нито един ред с дата и стойности"},
    {RateReason::Empty, "the file is empty", "файлът е празен"},
    {RateReason::TooManyColumns, "more than %1 value columns", "повече от %1 колони със стойности"},
    {RateReason::NoValueColumn,
     "no value column: rows need a date and values after it, separated by ',', ';' or "
     "a tab",
     "няма колона със стойности: всеки ред трябва да има дата и след нея стойности, "
     "разделени с ',', ';' или табулация"},
    {RateReason::WiderThanHeader, "the row has more fields than the header's %1",
     "редът има повече полета от заглавния ред (%1)"},
    {RateReason::WiderThanFirstRow, "the row has more fields than the first row's %1",
     "редът има повече полета от първия ред (%1)"},
    {RateReason::NarrowerThanHeader, "the row has %1 fields where the header has %2",
     "полетата в реда са %1, а в заглавния ред – %2"},
    {RateReason::NarrowerThanFirstRow, "the row has %1 fields where the first row has %2",
     "полетата в реда са %1, а в първия ред – %2"},
    {RateReason::NoDate, "the row has no date", "редът няма дата"},
    {RateReason::NotADate, "%1 is not a date", "%1 не е дата"},
    {RateReason::RepeatedDate, "%1 repeats the date of line %2", "%1 повтаря датата от ред %2"},
    {RateReason::OutOfRisingOrder, "%1 is out of order: the dates before it rise",
     "%1 нарушава реда: датите преди нея растат"},
    {RateReason::OutOfFallingOrder, "%1 is out of order: the dates before it fall",
     "%1 нарушава реда: датите преди нея намаляват"},
    {RateReason::NoValue,
     "no column has %1 values in a row without a gap; there is no value at all",
     "никоя колона няма %1 поредни стойности без празнина; във файла няма нито една "
     "стойност"},
    {RateReason::LongestNamed,
     "no column has %1 values in a row without a gap; the longest run has %2 (%3, "
     "from %4)",
     "никоя колона няма %1 поредни стойности без празнина; най-дългата поредица има "
     "%2 (%3, от %4)"},
    {RateReason::LongestUnnamed,
     "no column has %1 values in a row without a gap; the longest run has %2 (from %3)",
     "никоя колона няма %1 поредни стойности без празнина; най-дългата поредица има "
     "%2 (от %3)"},
    {RateReason::LongestNumbered,
     "no column has %1 values in a row without a gap; the longest run has %2 (column "
     "%3, from %4)",
     "никоя колона няма %1 поредни стойности без празнина; най-дългата поредица има "
     "%2 (колона %3, от %4)"},
    {RateReason::TooManyDigitsToAdd,
     "%1 in column %2 on %3 has more digits than a turn can add up exactly (15)",
     "%1 в колона %2 на %3 има повече цифри, отколкото един ход може да събере точно "
     "(15)"},
    {RateReason::StandsStill, "every stretch of %1 values in a row stands still",
     "във всяка поредица от %1 стойности стойностите не се променят"},
    {RateReason::ThousandsJump,
     "%1 after %2 on line %3 is a jump of about a thousandfold: thousands separated "
     "by commas, as in 1,008, read as decimals; save the numbers without thousands "
     "separators",
     "%1 след %2 на ред %3 е скок около хиляда пъти: хилядите, отделени със запетая, "
     "както в 1,008, се четат като десетични; запишете числата без разделител на "
     "хилядите"},
    {RateReason::SplitDecimals,
     "commas separate the fields, the dates are day first and every value is a whole "
     "number: decimal commas seem to cut each value in two; save the file with ';' "
     "between the fields",
     "запетаи разделят полетата, датите започват с деня и всяка стойност е цяло "
     "число: десетичните запетаи изглежда разрязват всяка стойност на две; запишете "
     "файла с ';' между полетата"},
    {RateReason::RoundsToZero,
     "%1 rounds to 0 at %2 decimals, the most a list can show; give the rates for "
     "1000 units",
     "%1 се закръгля до 0 при %2 знака след десетичната запетая, колкото най-много "
     "побира списъкът; дайте курсовете за 1000 единици"},
};
static_assert(std::size(kWords) == kRateReasonCount, "words for every reason, up to the last");

constexpr bool inIdOrder() {
    for (std::size_t index = 0; index < std::size(kWords); ++index) {
        if (static_cast<std::size_t>(kWords[index].id) != index) {
            return false;
        }
    }
    return true;
}
static_assert(inIdOrder(), "the words in the order of their reasons");

} // namespace

std::string rateReasonText(RateReason reason, const std::vector<std::string>& arguments,
                           Wording wording) {
    const auto index = static_cast<std::size_t>(reason);
    if (index >= std::size(kWords)) {
        return {};
    }
    const ReasonWords& words = kWords[index];
    return filledIn(wording == Wording::Bulgarian ? words.bulgarian : words.english, arguments);
}

} // namespace quiz
