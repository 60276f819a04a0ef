#include "core/data/data_set.h"

#include "core/data/catalogue.h"
#include "core/data/currency_names.h"
#include "core/data/data_ids.h"
#include "core/data/decimal_units.h"
#include "core/data/draw_map.h"
#include "core/data/rate_file_reasons.h"
#include "core/random/own_draws.h"

#include <algorithm>
#include <stdexcept>

namespace quiz {

namespace {

std::vector<DataSet::Series> storedSeries() {
    std::vector<DataSet::Series> series;
    for (const CurrencySeries& stored : currencyCatalogue().series) {
        series.push_back({.code = std::string(currencyCode(stored)),
                          .name = std::string(stored.name),
                          .dates = {},
                          .texts = {stored.values.begin(), stored.values.end()},
                          .built = nullptr,
                          .roundedTo = 0,
                          .stretches = {{.first = 0, .count = 1, .before = 0}},
                          .windowCount = 1});
    }
    return series;
}

std::vector<DataSet::Series> builtSeries(std::string_view name) {
    const EcbTable& table = ecbTable();
    std::vector<DataSet::Series> series;
    series.reserve(table.runs.size());
    for (const EcbRun& run : table.runs) {
        DataSet::Series one{.code = run.code,
                            .name = currencyDisplayName(run.code, name),
                            .dates = {},
                            .texts = {},
                            .built = &run,
                            .roundedTo = 0,
                            .stretches = {},
                            .windowCount = 0};
        for (const EcbStretch& stretch : table.stretches.subspan(run.firstStretch, run.stretchCount)) {
            one.stretches.push_back(
                {.first = stretch.first, .count = stretch.count, .before = one.windowCount});
            one.windowCount += stretch.count;
        }
        series.push_back(std::move(one));
    }
    return series;
}

// Adds window starts one by one, keeping only the stretches of those whose values move.
class StretchCounter {
public:
    void add(std::size_t start, bool moves) {
        if (!moves) {
            return;
        }
        if (stretches_.empty() || stretches_.back().first + stretches_.back().count != start) {
            stretches_.push_back({.first = start, .count = 0, .before = count_});
        }
        ++stretches_.back().count;
        ++count_;
    }
    std::vector<DataSet::Stretch> stretches() && { return std::move(stretches_); }
    std::size_t count() const { return count_; }

private:
    std::vector<DataSet::Stretch> stretches_;
    std::size_t count_ = 0;
};

// The run's windows whose values move (those that all stand still show nothing to judge),
// comparing values in units of the run's longest number of decimals. Throws when a value does
// not fit a turn's sums.
StretchCounter movingWindows(const RateRun& run, std::string_view name) {
    int decimals = 0;
    for (const std::string_view text : run.texts) {
        decimals = std::max(decimals, decimalsOf(text));
    }
    const auto length = static_cast<std::size_t>(kValueCount);
    StretchCounter counter;
    std::int64_t previous = 0;
    std::size_t lastChange = 0; // the latest i whose value differs from value i - 1; 0 for none
    for (std::size_t i = 0; i < run.texts.size(); ++i) {
        std::int64_t units = 0;
        try {
            units = toUnits(run.texts[i], decimals);
        } catch (const std::invalid_argument&) {
            throw RateFileError(std::string(name), RateReason::TooManyDigitsToAdd,
                                {"'" + std::string(run.texts[i]) + "'", run.column, run.dates[i]});
        }
        if (i > 0 && units != previous) {
            lastChange = i;
        }
        previous = units;
        if (i + 1 >= length) {
            const std::size_t start = i + 1 - length;
            counter.add(start, lastChange > start);
        }
    }
    return counter;
}

std::string_view textOf(const DataSet::Series& series, std::size_t i) {
    return series.built ? ecbTable().text(series.built->firstValue + i) : series.texts[i];
}

std::string_view dateOf(const DataSet::Series& series, std::size_t i) {
    if (series.built) {
        return ecbTable().date(series.built->firstRow + i);
    }
    return series.dates.empty() ? std::string_view() : std::string_view(series.dates[i]);
}

// Where the series' window `index` (counted within the series) starts.
std::size_t windowStart(const DataSet::Series& series, std::size_t index) {
    const auto after = std::upper_bound(
        series.stretches.begin(), series.stretches.end(), index,
        [](std::size_t wanted, const DataSet::Stretch& stretch) { return wanted < stretch.before; });
    const DataSet::Stretch& stretch = *(after - 1);
    return stretch.first + (index - stretch.before);
}

// Windows of the series starting before `position`.
std::size_t windowsStartingBefore(const DataSet::Series& series, std::size_t position) {
    std::size_t count = 0;
    for (const DataSet::Stretch& stretch : series.stretches) {
        if (position <= stretch.first) {
            break;
        }
        count += std::min(stretch.count, position - stretch.first);
    }
    return count;
}

} // namespace

DataSet::DataSet(DataKind kind, std::string id, std::string name, std::vector<Series> series,
                 RateTable storage)
    : kind_(kind), id_(std::move(id)), name_(std::move(name)), storage_(std::move(storage)),
      series_(std::move(series)) {
    for (const Series& one : series_) {
        firstWindow_.push_back(windowCount_);
        windowCount_ += one.windowCount;
    }
}

std::shared_ptr<const DataSet> DataSet::catalogue() {
    static const std::shared_ptr<const DataSet> stored(
        new DataSet(DataKind::Catalogue, kCatalogueData, {}, storedSeries()));
    return stored;
}

std::shared_ptr<const DataSet> DataSet::ecb() {
    // Made once and only when asked for; the table itself was read when the program was built.
    static constexpr std::string_view kName = "ECB";
    static const std::shared_ptr<const DataSet> extract(
        new DataSet(DataKind::Ecb, kEcbData, std::string(kName), builtSeries(kName)));
    return extract;
}

std::shared_ptr<const DataSet> DataSet::fromTable(RateTable table, DataKind kind, std::string id,
                                                  std::string_view name, const Progress& progress) {
    std::vector<Series> series;
    for (RateRun& run : table.runs) {
        const auto done = static_cast<double>(&run - table.runs.data());
        if (progress && !progress(done / static_cast<double>(table.runs.size()))) {
            throw ReadingStopped();
        }
        StretchCounter windows = movingWindows(run, name);
        if (windows.count() == 0) {
            continue;
        }
        const std::size_t count = windows.count();
        series.push_back({.code = run.column,
                          .name = currencyDisplayName(run.column, name),
                          .dates = run.dates,
                          .texts = std::move(run.texts),
                          .built = nullptr,
                          .roundedTo = run.roundedTo,
                          .stretches = std::move(windows).stretches(),
                          .windowCount = count});
    }
    if (series.empty()) {
        throw RateFileError(std::string(name), RateReason::StandsStill,
                            {std::to_string(kValueCount)});
    }
    table.runs.clear();
    return std::shared_ptr<const DataSet>(
        new DataSet(kind, std::move(id), std::string(name), std::move(series), std::move(table)));
}

std::string DataSet::argument() const {
    switch (kind_) {
    case DataKind::Catalogue:
        return kCatalogueData;
    case DataKind::Ecb:
        return kEcbData;
    case DataKind::File:
        break;
    }
    return name_;
}

RealWindow DataSet::window(std::size_t index) const {
    if (index >= windowCount_) {
        throw std::out_of_range("no window " + std::to_string(index));
    }
    const auto after = std::upper_bound(firstWindow_.begin(), firstWindow_.end(), index);
    const auto number = static_cast<std::size_t>(after - firstWindow_.begin());
    const Series& one = series_[number - 1];
    const std::size_t start = windowStart(one, index - firstWindow_[number - 1]);

    RealWindow window;
    window.index = index;
    window.seriesNumber = static_cast<int>(number);
    window.code = one.code;
    window.name = one.name;
    window.texts = textsOf(number - 1, start);
    window.firstDate = dateOf(one, start);
    window.lastDate = dateOf(one, start + kValueCount - 1);
    window.roundedTo = one.roundedTo;
    return window;
}

RealWindow DataSet::draw(float r) const {
    if (kind_ == DataKind::Catalogue) {
        return window(static_cast<std::size_t>(currencyNoFrom(r) - 1));
    }
    return window(indexFrom(r, windowCount_));
}

std::vector<std::string_view> DataSet::textsOf(std::size_t series, std::size_t start) const {
    std::vector<std::string_view> texts;
    texts.reserve(kValueCount);
    for (std::size_t i = start; i < start + kValueCount; ++i) {
        texts.push_back(textOf(series_[series], i));
    }
    return texts;
}

std::size_t DataSet::Piece::count() const {
    return data->series_[series].windowCount - (skipEnd - skipFirst);
}

std::vector<DataSet::Piece> DataSet::otherPieces(const RealWindow& shown) const {
    const auto number = static_cast<std::size_t>(shown.seriesNumber - 1);
    const Series& own = series_.at(number);
    const std::size_t start = windowStart(own, shown.index - firstWindow_[number]);
    const auto length = static_cast<std::size_t>(kValueCount);
    // Windows starting fewer than kValueCount places away share a value with the shown one.
    const Piece ownPiece{this, number,
                         windowsStartingBefore(own, start < length ? 0 : start - length + 1),
                         windowsStartingBefore(own, start + length)};
    const DataSet* source = kind_ == DataKind::Catalogue ? ecb().get() : this;
    std::vector<Piece> pieces;
    std::size_t total = 0;
    for (std::size_t i = 0; i < source->series_.size(); ++i) {
        if (source->series_[i].code == shown.code) {
            pieces.push_back(source == this && i == number ? ownPiece : Piece{source, i, 0, 0});
            total += pieces.back().count();
        }
    }
    if (total > 0) {
        return pieces;
    }
    pieces.clear();
    for (std::size_t i = 0; i < series_.size(); ++i) {
        pieces.push_back(i == number ? ownPiece : Piece{this, i, 0, 0});
    }
    return pieces;
}

std::size_t DataSet::otherWindowCount(const RealWindow& shown) const {
    std::size_t count = 0;
    for (const Piece& piece : otherPieces(shown)) {
        count += piece.count();
    }
    return count;
}

OtherWindow DataSet::otherWindow(const RealWindow& shown, std::size_t index) const {
    for (const Piece& piece : otherPieces(shown)) {
        if (index >= piece.count()) {
            index -= piece.count();
            continue;
        }
        const std::size_t local = index < piece.skipFirst ? index : index + piece.skipEnd - piece.skipFirst;
        const Series& series = piece.data->series_[piece.series];
        return {.texts = piece.data->textsOf(piece.series, windowStart(series, local)),
                .upsideDown = piece.data != this};
    }
    throw std::out_of_range("no other window " + std::to_string(index));
}

} // namespace quiz
