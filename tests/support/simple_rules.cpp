#include "tests/support/simple_rules.h"

#include "core/quiz/quiz_model.h"
#include "core/random/random_source.h"
#include "core/text/leading_number.h"
#include "core/text/number_style.h"
#include "core/text/number_text.h"
#include "core/turns/turn.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

namespace quiz {

namespace {

constexpr double kSameStatistic = 1e-9;

using Values = std::vector<double>;
using Texts = std::vector<std::string>;
using Report = std::string_view;

// A quotient that is 0 rather than infinite or NaN: a list too short, too flat or too large to
// measure gives a rule nothing to go on, which must read as a tie, not poison an average.
double ratio(double numerator, double denominator) {
    if (denominator == 0.0) {
        return 0.0;
    }
    const double quotient = numerator / denominator;
    return std::isfinite(quotient) ? quotient : 0.0;
}

double sum(const Values& values) {
    double total = 0.0;
    for (const double value : values) {
        total += value;
    }
    return total;
}

Values changesOf(const Values& values) {
    Values changes;
    for (std::size_t i = 1; i < values.size(); ++i) {
        changes.push_back(values[i] - values[i - 1]);
    }
    return changes;
}

Values absolute(Values values) {
    for (double& value : values) {
        value = std::abs(value);
    }
    return values;
}

// Below this share of the values' sum of squares, what their deviations add up to is
// rounding noise, not variance.
constexpr double kRoundingNoise = 1e-20;

// The values minus their mean, all set to 0 when they are only rounding noise: equal steps
// read from decimal texts differ in their last bits, their mean in a few more, and a rule
// must see a zigzag's |changes| as flat rather than as perfectly correlated noise.
Values deviations(const Values& values) {
    const double mean = ratio(sum(values), static_cast<double>(values.size()));
    Values result;
    double spread = 0.0;
    double scale = 0.0;
    for (const double value : values) {
        result.push_back(value - mean);
        spread += result.back() * result.back();
        scale += value * value;
    }
    if (!(spread > kRoundingNoise * scale)) { // also when an overflow made it NaN
        std::fill(result.begin(), result.end(), 0.0);
    }
    return result;
}

double lagOneAutocorrelation(const Values& series) {
    const Values d = deviations(series);
    double lagged = 0.0;
    double total = 0.0;
    for (std::size_t i = 0; i < d.size(); ++i) {
        total += d[i] * d[i];
        if (i > 0) {
            lagged += d[i - 1] * d[i];
        }
    }
    return ratio(lagged, total);
}

double excessKurtosis(const Values& series) {
    const Values d = deviations(series);
    double squares = 0.0;
    double fourths = 0.0;
    for (const double deviation : d) {
        const double square = deviation * deviation;
        squares += square;
        fourths += square * square;
    }
    if (squares == 0.0) {
        return 0.0;
    }
    // m4 / m2^2 with the counts cancelled: n * sum(d^4) / sum(d^2)^2.
    return ratio(ratio(fourths, squares) * static_cast<double>(d.size()), squares) - 3.0;
}

double sumAbsChanges(const Values& values, const Texts&, Report) {
    return sum(absolute(changesOf(values)));
}

double changesAutocorrelation(const Values& values, const Texts&, Report) {
    return lagOneAutocorrelation(changesOf(values));
}

double absChangesAutocorrelation(const Values& values, const Texts&, Report) {
    return lagOneAutocorrelation(absolute(changesOf(values)));
}

// A day without change neither ends nor starts a run: up, flat, up is one rise.
double signRuns(const Values& values, const Texts&, Report) {
    int runs = 0;
    int previous = 0;
    for (const double change : changesOf(values)) {
        const int sign = (change > 0.0) - (change < 0.0);
        if (sign != 0 && sign != previous) {
            ++runs;
            previous = sign;
        }
    }
    return runs;
}

double valuesBelowFirst(const Values& values, const Texts&, Report) {
    if (values.empty()) {
        return 0.0;
    }
    const double first = values.front();
    return static_cast<double>(
        std::count_if(values.begin(), values.end(), [first](double v) { return v < first; }));
}

double range(const Values& values, const Texts&, Report) {
    if (values.empty()) {
        return 0.0;
    }
    const auto [smallest, largest] = std::minmax_element(values.begin(), values.end());
    return *largest - *smallest;
}

double startToEndDistance(const Values& values, const Texts&, Report) {
    return values.empty() ? 0.0 : std::abs(values.back() - values.front());
}

double changesKurtosis(const Values& values, const Texts&, Report) {
    return excessKurtosis(changesOf(values));
}

double largestStepShare(const Values& values, const Texts&, Report) {
    const Values steps = absolute(changesOf(values));
    if (steps.empty()) {
        return 0.0;
    }
    return ratio(*std::max_element(steps.begin(), steps.end()), sum(steps));
}

// Negated, so that the list with short texts ("1.47" beside "1.47766") is the one picked.
double shorterTexts(const Values&, const Texts& texts, Report) {
    std::size_t longest = 0;
    for (const std::string& text : texts) {
        longest = std::max(longest, text.size());
    }
    return -static_cast<double>(std::count_if(
        texts.begin(), texts.end(), [longest](auto& text) { return text.size() < longest; }));
}

char lastDigit(const std::string& text) {
    return text.empty() ? '\0' : text.back();
}

double textsEndingInZero(const Values&, const Texts& texts, Report) {
    return static_cast<double>(std::count_if(texts.begin(), texts.end(),
                                             [](auto& text) { return lastDigit(text) == '0'; }));
}

// Chi-square of the last digits against ten equally likely ones.
double lastDigitUnevenness(const Values&, const Texts& texts, Report) {
    std::array<int, 10> counts{};
    for (const std::string& text : texts) {
        if (const char digit = lastDigit(text); digit >= '0' && digit <= '9') {
            ++counts[static_cast<std::size_t>(digit - '0')];
        }
    }
    const double expected = static_cast<double>(texts.size()) / 10.0;
    double chiSquare = 0.0;
    for (const int count : counts) {
        chiSquare += ratio((count - expected) * (count - expected), expected);
    }
    return chiSquare;
}

double repeatedLastDigits(const Values&, const Texts& texts, Report) {
    int repeats = 0;
    for (std::size_t i = 1; i < texts.size(); ++i) {
        repeats += lastDigit(texts[i]) == lastDigit(texts[i - 1]) ? 1 : 0;
    }
    return repeats;
}

// Texts written again, each time after its first: the stored series repeat a rate now and then.
double valuesWrittenTwice(const Values&, const Texts& texts, Report) {
    std::vector<std::string> sorted = texts;
    std::sort(sorted.begin(), sorted.end());
    const auto distinct = std::unique(sorted.begin(), sorted.end()) - sorted.begin();
    return static_cast<double>(texts.size()) - static_cast<double>(distinct);
}

double equalNeighbours(const Values&, const Texts& texts, Report) {
    int equal = 0;
    for (std::size_t i = 1; i < texts.size(); ++i) {
        equal += texts[i] == texts[i - 1] ? 1 : 0;
    }
    return equal;
}

constexpr std::string_view kSpreadLine = "Максимална разлика: ";

// How far the list's range is from the spread the report names: 0 for the list it describes.
// With no spread reported, every list scores 0 and the rule has nothing to go on.
double distanceFromReportedSpread(const Values& values, const Texts& texts, Report report) {
    const std::size_t at = report.find(kSpreadLine);
    if (at == Report::npos) {
        return 0.0;
    }
    std::string number(report.substr(at + kSpreadLine.size()));
    number = number.substr(0, number.find('\r'));
    std::replace(number.begin(), number.end(), ',', '.');
    return std::abs(range(values, texts, report) - parseLeadingNumber(number));
}

constexpr std::array kRules{
    SimpleRule{"sum |changes|", sumAbsChanges},
    SimpleRule{"lag-1 autocorrelation of changes", changesAutocorrelation},
    SimpleRule{"lag-1 autocorrelation of |changes|", absChangesAutocorrelation},
    SimpleRule{"sign runs", signRuns},
    SimpleRule{"values below first", valuesBelowFirst},
    SimpleRule{"range", range},
    SimpleRule{"start-to-end distance", startToEndDistance},
    SimpleRule{"kurtosis of changes", changesKurtosis},
    SimpleRule{"largest step share", largestStepShare},
    SimpleRule{"shorter texts", shorterTexts},
    SimpleRule{"texts ending in 0", textsEndingInZero},
    SimpleRule{"last-digit unevenness", lastDigitUnevenness},
    SimpleRule{"repeated last digits", repeatedLastDigits},
    SimpleRule{"distance from the reported spread", distanceFromReportedSpread},
    SimpleRule{"values written twice", valuesWrittenTwice},
    SimpleRule{"equal neighbours", equalNeighbours},
};

// An optional sign, digits, at most one "." or ",", and at least one digit in all.
bool isPlainDecimal(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    bool digit = false;
    bool separator = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            return false;
        }
    }
    return digit;
}

constexpr std::size_t kQuotedLength = 24;

// A text as a one-line message can quote it: line breaks and other controls become "?",
// and a long text is cut at a character boundary.
std::string quoted(std::string_view text) {
    std::size_t cut = std::min(text.size(), kQuotedLength);
    while (cut > 0 && cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    std::string result = "\"";
    for (const char c : text.substr(0, cut)) {
        result += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
    return result + (cut < text.size() ? "...\"" : "\"");
}

double shownValue(const std::string& text) {
    if (!isPlainDecimal(text)) {
        throw std::invalid_argument("not a shown number: " + quoted(text));
    }
    std::string pointed = text;
    std::replace(pointed.begin(), pointed.end(), ',', '.');
    const double value = parseLeadingNumber(pointed);
    if (!std::isfinite(value)) {
        throw std::invalid_argument("too large a shown number: " + quoted(text));
    }
    return value;
}

double statisticOf(const SimpleRule& rule, const Texts& texts, Report report) {
    return rule.statistic(shownValues(texts), texts, report);
}

} // namespace

std::span<const SimpleRule> simpleRules() {
    return kRules;
}

std::vector<double> shownValues(const std::vector<std::string>& texts) {
    Values values;
    values.reserve(texts.size());
    for (const std::string& text : texts) {
        values.push_back(shownValue(text));
    }
    return values;
}

double ruleScore(const SimpleRule& rule, const std::array<std::vector<std::string>, 2>& lists,
                 int realSide, std::string_view report) {
    if (realSide != 0 && realSide != 1) {
        throw std::invalid_argument("the real side is 0 or 1, not " + std::to_string(realSide));
    }
    const double real = statisticOf(rule, lists[static_cast<std::size_t>(realSide)], report);
    const double other = statisticOf(rule, lists[static_cast<std::size_t>(1 - realSide)], report);
    // Statistics that are equal on paper (the same steps in another order) differ in the last
    // bits of their sums; no pupil sees that, so it is a tie.
    if (std::abs(real - other) <= kSameStatistic * std::max(std::abs(real), std::abs(other))) {
        return 0.5;
    }
    if (real < other) {
        return 1.0;
    }
    return other < real ? 0.0 : 0.5;
}

double betterDirection(double accuracy) {
    if (!(accuracy >= 0.0 && accuracy <= 1.0)) {
        throw std::invalid_argument("an accuracy lies in 0..1, not " +
                                    defaultText(accuracy, NumberStyle{}));
    }
    return std::max(accuracy, 1.0 - accuracy);
}

std::vector<ShownTurn> shownTurns(std::shared_ptr<const DataSet> data, int level, int turns,
                                  std::uint32_t seed) {
    // Through the model, so the rules see the report a pupil reads before the pick.
    QuizModel model(std::make_unique<SeededRandomSource>(seed), NumberStyle{}, std::move(data),
                    level);
    model.Form_Load("");
    std::vector<ShownTurn> shown;
    for (int i = 0; i < turns; ++i) {
        model.Command1_Click();
        shown.push_back({model.turn().lists, model.turn().RealSide, model.Transcript()});
    }
    return shown;
}

std::vector<double> ruleAccuracies(std::shared_ptr<const DataSet> data, int level, int turns,
                                   std::uint32_t seed) {
    return ruleAccuracies(shownTurns(std::move(data), level, turns, seed));
}

std::vector<double> ruleAccuracies(const std::vector<ShownTurn>& turns) {
    const std::span<const SimpleRule> rules = simpleRules();
    std::vector<double> sums(rules.size(), 0.0);
    for (const ShownTurn& turn : turns) {
        for (std::size_t r = 0; r < rules.size(); ++r) {
            sums[r] += ruleScore(rules[r], turn.lists, turn.realSide, turn.report);
        }
    }
    std::vector<double> accuracies;
    for (const double sum : sums) {
        accuracies.push_back(betterDirection(sum / static_cast<double>(turns.size())));
    }
    return accuracies;
}

} // namespace quiz
