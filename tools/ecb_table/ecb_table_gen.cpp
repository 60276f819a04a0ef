// Reads the ECB extract once, at build time, into a C++ source holding it as a compact table:
// the dates, every value's text, and for each run of a column the stretches of the window
// starts whose values move. The quiz then reads nothing at start.
//   ecb_table_gen <eurofxref-extract.csv> <ecb_table.cpp>
// The runs are cut as the rate reader cuts them (a missing value ends one, shorter ones are
// dropped), which a core test checks against reading the same file at run time.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kValueCount = 43;    // values a turn shows, as in core/data/catalogue.h
constexpr std::size_t kPieceBytes = 16000; // the longest string literal every compiler takes
constexpr std::size_t kDateBytes = 10;     // "YYYY-MM-DD"
constexpr std::size_t kDatesPerPiece = 1600; // as core/data/ecb_table.h reads them
// A value's place packs its piece, its offset there and its length (see core/data/ecb_table.h).
constexpr int kLengthBits = 5;
constexpr int kOffsetBits = 14;

[[noreturn]] void fail(const std::string& message) {
    std::cerr << "ecb_table_gen: " << message << '\n';
    std::exit(1);
}

std::vector<std::string> cells(std::string line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    std::vector<std::string> out;
    std::stringstream stream(line);
    for (std::string cell; std::getline(stream, cell, ',');) {
        out.push_back(cell);
    }
    return out; // the ECB ends each line with a comma, which getline leaves no cell for
}

bool isIsoDate(std::string_view text) {
    return text.size() == kDateBytes && text[4] == '-' && text[7] == '-' &&
           std::all_of(text.begin(), text.end(), [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
}

bool isMissing(std::string_view cell) {
    return cell.empty() || cell == "N/A" || cell == "n/a";
}

// The value with no leading or trailing zeros, so that equal numbers compare equal as text.
std::string canonical(std::string_view text) {
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    const bool digitsOnly = !whole.empty() || !fraction.empty();
    for (const std::string_view part : {whole, fraction}) {
        if (!digitsOnly || !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            fail("not a plain decimal number: '" + std::string(text) + "'");
        }
    }
    while (whole.size() > 1 && whole.front() == '0') {
        whole.remove_prefix(1);
    }
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.remove_suffix(1);
    }
    std::string out(whole.empty() ? "0" : whole);
    if (!fraction.empty()) {
        out += '.';
        out += fraction;
    }
    return out;
}

struct Row {
    std::string date;
    std::vector<std::string> values; // one per column, "" when missing
};

struct Run {
    std::string code;
    std::size_t firstRow = 0;
    std::vector<std::string> texts;
};

struct Stretch {
    std::size_t first = 0;
    std::size_t count = 0;
};

// Window starts whose kValueCount values are not all equal, as stretches of consecutive ones.
std::vector<Stretch> movingStarts(const std::vector<std::string>& texts) {
    std::vector<Stretch> stretches;
    std::size_t lastChange = 0; // the latest i with value i unlike value i - 1; 0 for none yet
    std::string previous;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::string value = canonical(texts[i]);
        if (i > 0 && value != previous) {
            lastChange = i;
        }
        previous = std::move(value);
        if (i + 1 < kValueCount) {
            continue;
        }
        const std::size_t start = i + 1 - kValueCount;
        if (lastChange <= start) {
            continue;
        }
        if (!stretches.empty() && stretches.back().first + stretches.back().count == start) {
            ++stretches.back().count;
        } else {
            stretches.push_back({start, 1});
        }
    }
    return stretches;
}

std::vector<Row> readRows(const std::string& path, std::vector<std::string>& codes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fail("cannot read " + path);
    }
    std::string line;
    std::getline(in, line);
    codes = cells(line);
    if (codes.empty() || codes.front() != "Date") {
        fail(path + ": no ECB header");
    }
    codes.erase(codes.begin());
    std::vector<Row> rows;
    while (std::getline(in, line)) {
        std::vector<std::string> row = cells(line);
        if (row.empty() || (row.size() == 1 && row.front().empty())) {
            continue;
        }
        if (!isIsoDate(row.front()) || row.size() > codes.size() + 1) {
            fail(path + ": line " + std::to_string(rows.size() + 2) + " is not an ECB row");
        }
        row.resize(codes.size() + 1);
        rows.push_back({row.front(), {row.begin() + 1, row.end()}});
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.date < b.date; });
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].date == rows[i - 1].date) {
            fail(path + ": " + rows[i].date + " twice");
        }
    }
    return rows;
}

std::vector<Run> runsOf(const std::vector<Row>& rows, const std::vector<std::string>& codes) {
    std::vector<Run> runs;
    for (std::size_t c = 0; c < codes.size(); ++c) {
        Run open{.code = codes[c], .firstRow = 0, .texts = {}};
        const auto close = [&](std::size_t next) {
            if (open.texts.size() >= kValueCount) {
                runs.push_back(open);
            }
            open = {.code = codes[c], .firstRow = next, .texts = {}};
        };
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const std::string& value = rows[r].values[c];
            if (isMissing(value)) {
                close(r + 1);
            } else {
                open.texts.push_back(value);
            }
        }
        close(rows.size());
    }
    return runs;
}

// Cuts the values into string literals of at most kPieceBytes, never inside a value.
class Pieces {
public:
    std::uint32_t add(std::string_view value) {
        if (pieces_.empty() || pieces_.back().size() + value.size() > kPieceBytes) {
            pieces_.emplace_back();
        }
        const std::size_t offset = pieces_.back().size();
        pieces_.back() += value;
        const std::size_t piece = pieces_.size() - 1;
        if (value.size() >= (1U << kLengthBits)) {
            fail("a value is too long: '" + std::string(value) + "'");
        }
        return static_cast<std::uint32_t>((piece << (kOffsetBits + kLengthBits)) |
                                          (offset << kLengthBits) | value.size());
    }
    void write(std::ostream& out, const char* name) const {
        out << "constexpr const char* " << name << "[] = {\n";
        for (const std::string& piece : pieces_) {
            out << "    \"" << piece << "\",\n";
        }
        out << "};\n";
    }

private:
    std::vector<std::string> pieces_;
};

void writeTable(std::ostream& out, const std::string& source, const std::vector<Row>& rows,
                const std::vector<Run>& runs) {
    out << "// Generated from " << source << " by ecb_table_gen at build time; do not edit.\n"
        << "#include \"core/data/ecb_table.h\"\n\nnamespace quiz {\n\nnamespace {\n\n";
    // Dates are fixed width: piece r / kDatesPerPiece, offset (r % kDatesPerPiece) * 10.
    out << "constexpr const char* kDatePieces[] = {\n";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r % kDatesPerPiece == 0) {
            out << (r == 0 ? "    \"" : "\",\n    \"");
        }
        out << rows[r].date;
    }
    out << "\",\n};\n\n";

    Pieces texts;
    std::ostringstream places;
    std::ostringstream runTable;
    std::ostringstream stretchTable;
    std::size_t values = 0;
    std::size_t stretchCount = 0;
    for (const Run& run : runs) {
        const std::vector<Stretch> stretches = movingStarts(run.texts);
        if (stretches.empty()) {
            continue; // nothing to judge: the data set leaves such a run out
        }
        runTable << "    {\"" << run.code << "\", " << run.firstRow << ", " << run.texts.size()
                 << ", " << values << ", " << stretchCount << ", " << stretches.size() << "},\n";
        for (const std::string& text : run.texts) {
            places << texts.add(text) << (++values % 12 == 0 ? ",\n" : ", ");
        }
        for (const Stretch& stretch : stretches) {
            stretchTable << "    {" << stretch.first << ", " << stretch.count << "},\n";
        }
        stretchCount += stretches.size();
    }
    texts.write(out, "kTextPieces");
    out << "\nconstexpr std::uint32_t kTextPlaces[] = {\n" << places.str() << "\n};\n\n"
        << "constexpr EcbRun kRuns[] = {\n" << runTable.str() << "};\n\n"
        << "constexpr EcbStretch kStretches[] = {\n" << stretchTable.str() << "};\n\n"
        << "} // namespace\n\n"
        << "const EcbTable& ecbTable() {\n"
        << "    static constexpr EcbTable table{.datePieces = kDatePieces,\n"
        << "                                    .rowCount = " << rows.size() << ",\n"
        << "                                    .textPieces = kTextPieces,\n"
        << "                                    .textPlaces = kTextPlaces,\n"
        << "                                    .runs = kRuns,\n"
        << "                                    .stretches = kStretches};\n"
        << "    return table;\n}\n\n} // namespace quiz\n";
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: ecb_table_gen <eurofxref-extract.csv> <ecb_table.cpp>\n";
        return 2;
    }
    std::vector<std::string> codes;
    const std::vector<Row> rows = readRows(argv[1], codes);
    const std::vector<Run> runs = runsOf(rows, codes);
    if (runs.empty()) {
        fail(std::string(argv[1]) + ": no run of " + std::to_string(kValueCount) + " values");
    }
    std::ostringstream out;
    writeTable(out, std::filesystem::path(argv[1]).filename().string(), rows, runs);
    std::ofstream file(argv[2], std::ios::binary);
    file << out.str();
    if (!file) {
        fail(std::string("cannot write ") + argv[2]);
    }
    return 0;
}
