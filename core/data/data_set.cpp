#include "core/data/data_set.h"

#include "core/data/catalogue.h"
#include "core/data/currency_names.h"
#include "core/data/decimal_units.h"
#include "core/random/draw_map.h"
#include "core/data/ecb_extract.h"
#include "core/random/own_draws.h"
#include "core/data/rate_file_reasons.h"

#include <algorithm>
#include <stdexcept>

namespace quiz {

namespace {

constexpr std::string_view kCatalogueId = "catalogue";

std::vector<DataSet::Series> storedSeries() {
    std::vector<DataSet::Series> series;
    for (const CurrencySeries& stored : currencyCatalogue().series) {
        series.push_back({.code = std::string(currencyCode(stored)),
                          .name = std::string(stored.name),
                          .dates = {},
                          .texts = {stored.values.begin(), stored.values.end()},
                          .windowStarts = {0}});
    }
    return series;
}

// Windows whose values all stand still show nothing to judge.
std::vector<std::size_t> movingWindowStarts(const std::vector<std::int64_t>& units) {
    std::vector<std::size_t> changedBefore{0}; // changes among the first i + 1 values
    for (std::size_t i = 1; i < units.size(); ++i) {
        changedBefore.push_back(changedBefore.back() + (units[i] != units[i - 1] ? 1 : 0));
    }
    std::vector<std::size_t> starts;
    const auto length = static_cast<std::size_t>(kValueCount);
    for (std::size_t start = 0; start + length <= units.size(); ++start) {
        if (changedBefore[start + length - 1] > changedBefore[start]) {
            starts.push_back(start);
        }
    }
    return starts;
}

// The run's values in units of its longest number of decimals, each known to fit a turn's
// sums.
std::vector<std::int64_t> checkedUnits(const RateRun& run, std::string_view name) {
    int decimals = 0;
    for (const std::string_view text : run.texts) {
        decimals = std::max(decimals, decimalsOf(text));
    }
    std::vector<std::int64_t> units;
    units.reserve(run.texts.size());
    for (std::size_t i = 0; i < run.texts.size(); ++i) {
        try {
            units.push_back(toUnits(run.texts[i], decimals));
        } catch (const std::invalid_argument&) {
            throw RateFileError(std::string(name), reason::kTooManyDigitsToAdd,
                                {"'" + std::string(run.texts[i]) + "'", run.column, run.dates[i]});
        }
    }
    return units;
}

} // namespace

DataSet::DataSet(DataKind kind, std::string id, std::string name, std::vector<Series> series,
                 RateTable storage)
    : kind_(kind), id_(std::move(id)), name_(std::move(name)), storage_(std::move(storage)),
      series_(std::move(series)) {
    for (const Series& one : series_) {
        firstWindow_.push_back(windowCount_);
        windowCount_ += one.windowStarts.size();
    }
}

std::shared_ptr<const DataSet> DataSet::catalogue() {
    static const std::shared_ptr<const DataSet> stored(
        new DataSet(DataKind::Catalogue, std::string(kCatalogueId), {}, storedSeries()));
    return stored;
}

std::shared_ptr<const DataSet> DataSet::ecb() {
    // Read once and only when asked for, so a run on the stored series never pays for it.
    static const std::shared_ptr<const DataSet> extract =
        fromTable(readRateTable(ecbExtractText(), "ECB"), DataKind::Ecb, "ecb", "ECB");
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
        std::vector<std::size_t> starts = movingWindowStarts(checkedUnits(run, name));
        Series one{.code = run.column,
                   .name = currencyDisplayName(run.column, name),
                   .dates = run.dates,
                   .texts = std::move(run.texts),
                   .windowStarts = std::move(starts)};
        if (!one.windowStarts.empty()) {
            series.push_back(std::move(one));
        }
    }
    if (series.empty()) {
        throw RateFileError(std::string(name), reason::kStandsStill, {std::to_string(kValueCount)});
    }
    table.runs.clear();
    return std::shared_ptr<const DataSet>(
        new DataSet(kind, std::move(id), std::string(name), std::move(series), std::move(table)));
}

std::string DataSet::argument() const {
    switch (kind_) {
    case DataKind::Catalogue:
        return std::string(kCatalogueId);
    case DataKind::Ecb:
        return "ecb";
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
    const std::size_t start = one.windowStarts[index - firstWindow_[number - 1]];

    RealWindow window;
    window.seriesNumber = static_cast<int>(number);
    window.code = one.code;
    window.name = one.name;
    for (std::size_t i = start; i < start + kValueCount; ++i) {
        window.texts.push_back(one.texts[i]);
    }
    if (!one.dates.empty()) {
        window.firstDate = one.dates[start];
        window.lastDate = one.dates[start + kValueCount - 1];
    }
    return window;
}

RealWindow DataSet::draw(float r) const {
    if (kind_ == DataKind::Catalogue) {
        return window(static_cast<std::size_t>(currencyNoFrom(r) - 1));
    }
    return window(indexFrom(r, windowCount_));
}

} // namespace quiz
