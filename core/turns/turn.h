#pragma once

// One quiz turn: which real window is shown, on which side, and the two lists of texts.

#include "core/data/data_set.h"
#include "core/random/random_source.h"
#include "core/text/number_style.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quiz {

// The values a level-0 made-up list can take, both ends included.
struct Band {
    double low = 0.0;
    double high = 0.0;
};

// CurrencyNo, RealSide, Spread and NewTurn keep the names the quiz was designed with.
struct Turn {
    int CurrencyNo = 0;  // the series shown, 1-based in its data set; 0 before the first turn
    int RealSide = 0;    // index of the list that holds the real series
    double Spread = 0.0; // largest minus smallest real value
    int level = 0;
    DataKind source = DataKind::Catalogue;
    std::string data;      // the data set's id: "catalogue", "ecb", or a file's
    std::string code;      // "USD"
    std::string name;      // "щатски долар - USD"
    std::string firstDate; // of the real window, "YYYY-MM-DD"; empty for the stored series
    std::string lastDate;
    int decimals = 0;  // the real window's longest number of decimals
    int roundedTo = 0; // the decimals the data's over-long values were rounded to; 0 for none
    std::array<std::vector<std::string>, 2> lists;
    std::array<std::vector<double>, 2> values; // the numbers the two lists' texts show
    std::optional<Band> band;                  // where a level-0 made-up list lies

    int generatedSide() const { return 1 - RealSide; }
};

// Largest minus smallest value; 0 for no values.
double spreadOf(const std::vector<double>& values);

// Draws and fills a new turn from `data` at `level` (0 to kLevelCount - 1). The draws, in order:
// the window, the side, then the made-up list's: 43 at level 0 (one per value), and at the
// levels above as madeUpUnits says. At level 0 the real list keeps its texts as written and the
// made-up one has the window's decimals; above it both are written with the window's decimals,
// the real texts padded with zeros and each made-up value rounded to the decimals the real
// list was quoted at in its place. Both follow the style's separator and are never grouped.
Turn NewTurn(RandomSource& random, const NumberStyle& style,
             const DataSet& data = *DataSet::catalogue(), int level = 0);

} // namespace quiz
