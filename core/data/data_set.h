#pragma once

// A body of real data turns are drawn from: the six stored series, the ECB's reference rates
// or a teacher's own file.

#include "core/data/ecb_table.h"
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
    std::size_t index = 0; // among the data set's windows
    int seriesNumber = 0;  // 1-based within its data set: the turn's CurrencyNo
    std::string_view code;
    std::string_view name;
    std::vector<std::string_view> texts; // as written, with "." as the point
    std::string_view firstDate;          // "YYYY-MM-DD"; empty for the stored series
    std::string_view lastDate;
    int roundedTo = 0; // the decimals its file's over-long values were rounded to; 0 for none
};

enum class DataKind { Catalogue, Ecb, File };

// Another window of rates, which a made-up list may take its day-to-day moves from.
struct OtherWindow {
    std::vector<std::string_view> texts; // as written, oldest first
    bool upsideDown = false; // the rate the other way up: units per euro beside leva per unit
};

class DataSet {
public:
    // The six stored series, series k being window k - 1, drawn as the quiz always drew them.
    static std::shared_ptr<const DataSet> catalogue();
    // The built-in extract of the ECB's reference rates, read into a table at build time.
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

    // The windows that share no value with `shown` and are of its currency: in this data set,
    // or for the stored series in the ECB's (the stored rates are leva per unit, which the lev's
    // fixed rate to the euro makes the ECB's rates upside down). Where the currency has none,
    // those of every other series. Counted, then taken one by one, 0 to count - 1.
    std::size_t otherWindowCount(const RealWindow& shown) const;
    OtherWindow otherWindow(const RealWindow& shown, std::size_t index) const;

    // Consecutive window starts of a series whose values move; the windows are counted, not
    // kept, so a data set of 175,000 windows holds a few of these.
    struct Stretch {
        std::size_t first = 0;  // the start of its first window, in the series
        std::size_t count = 0;  // windows
        std::size_t before = 0; // windows of the series in the stretches before it
    };
    struct Series {
        std::string code;                    // "USD"
        std::string name;                    // "щатски долар - USD"
        std::span<const std::string> dates;  // none for the stored series and the ECB's
        std::vector<std::string_view> texts; // in the table or the catalogue; none for the ECB's
        const EcbRun* built = nullptr;       // the ECB's, in its built-in table
        int roundedTo = 0;                   // as RateRun::roundedTo
        std::vector<Stretch> stretches;
        std::size_t windowCount = 0;
    };

private:
    // Windows of one series, all but those whose starts lie in [skipFirst, skipEnd).
    struct Piece {
        const DataSet* data = nullptr;
        std::size_t series = 0;
        std::size_t skipFirst = 0;
        std::size_t skipEnd = 0;
        std::size_t count() const;
    };
    std::vector<Piece> otherPieces(const RealWindow& shown) const;
    std::vector<std::string_view> textsOf(std::size_t series, std::size_t start) const;

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
