#pragma once

// A body of real data turns are drawn from: the six stored series, the ECB's reference rates
// or a teacher's own file.

#include "core/data/rate_table.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

// The kValueCount real values a turn shows, and what names them.
struct RealWindow {
    int seriesNumber = 0; // 1-based within its data set: the turn's CurrencyNo
    std::string_view code;
    std::string_view name;
    std::vector<std::string_view> texts; // as written, with "." as the point
    std::string_view firstDate;          // "YYYY-MM-DD"; empty for the stored series
    std::string_view lastDate;
};

enum class DataKind { Catalogue, Ecb, File };

class DataSet {
public:
    struct Series {
        std::string code;                      // "USD"
        std::string name;                      // "щатски долар - USD"
        std::span<const std::string> dates;    // none for the stored series
        std::vector<std::string_view> texts;   // in the table or the catalogue
        std::vector<std::size_t> windowStarts; // where a window whose values move begins
    };

    // The six stored series, series k being window k - 1, drawn as the quiz always drew them.
    static std::shared_ptr<const DataSet> catalogue();
    // The built-in extract of the ECB's reference rates, read on first use.
    static std::shared_ptr<const DataSet> ecb();
    // Every window of kValueCount values of the table's runs whose values move. `id` names the
    // data in the results log; `name` is the file's, for messages. Throws RateFileError when no
    // window is left or a value holds more digits than a turn can add up exactly; told of
    // `progress` run by run, and throws ReadingStopped when it asks to stop.
    static std::shared_ptr<const DataSet> fromTable(RateTable table, DataKind kind, std::string id,
                                                    std::string_view name,
                                                    const Progress& progress = {});

    DataKind kind() const { return kind_; }
    const std::string& id() const { return id_; }
    // What --data takes to choose this data again: "catalogue", "ecb" or the file's name.
    std::string argument() const;
    std::size_t windowCount() const { return windowCount_; }
    RealWindow window(std::size_t index) const;
    // One value of the stream chooses the window: for the stored series as the currency number
    // always was (round(r * 100) mod 6 + 1), elsewhere each window alike.
    RealWindow draw(float r) const;

private:
    DataSet(DataKind kind, std::string id, std::string name, std::vector<Series> series,
            RateTable storage = {});

    DataKind kind_;
    std::string id_;
    std::string name_;
    RateTable storage_; // what the series view; its runs are moved out
    std::vector<Series> series_;
    std::vector<std::size_t> firstWindow_; // of each series, counted over all windows before it
    std::size_t windowCount_ = 0;
};

} // namespace quiz
