#pragma once

// The built-in extract of the ECB's euro reference rates (Source: ECB), in the ECB's own file
// format: every currency that still floats against the euro, 1999 to 2025. The quiz deals from
// the table read from it at build time (ecb_table.h); the text is for tests and benchmarks,
// which check and time the reading, and is linked only into them.

#include <string>

namespace quiz {

// The whole file, made at build time from data/eurofxref-extract.csv.
std::string ecbExtractText();

} // namespace quiz
