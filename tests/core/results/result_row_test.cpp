#include "core/results/result_row.h"
#include "core/results/results_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace quiz;
namespace fs = std::filesystem;

namespace {

const std::string kHeader = "time,seed,turn,currency,currency_name,real_side,chosen_side,right,"
                            "spread,level,data,pupil,host,staircase,run,sealed_seed\r\n";

// The pound, whose name ends with a blank, picked wrongly.
ResultRow poundRow() {
    return {.time = "2026-12-08T09:15:00+02:00",
            .seed = 4294967295U,
            .turn = 12,
            .currency = "GBP",
            .currencyName = "британски паунд - GBP ",
            .realSide = 1,
            .chosenSide = 0,
            .spread = 2.34371 - 2.2446,
            .decimals = 5,
            .level = 3,
            .data = "rates, 2025.csv@0123456789ab",
            .pupil = "Иванова Мария",
            .host = "PC07",
            .run = 0x00c0ffee12345678ULL};
}

const std::string kPoundLine = "2026-12-08T09:15:00+02:00,4294967295,12,GBP,"
                               "\"британски паунд - GBP \",1,0,0,0.09911,3,"
                               "\"rates, 2025.csv@0123456789ab\",Иванова Мария,PC07,0,"
                               "00c0ffee12345678,\r\n";

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ResultsFileOfRows : public testing::Test {
protected:
    void SetUp() override {
        directory = fs::temp_directory_path() /
                    ("results_log_test_" +
                     std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                     testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory);
        fs::create_directories(directory);
        path = directory / "results.csv";
    }
    void TearDown() override { fs::remove_all(directory); }

    std::unique_ptr<ResultsFile> open() {
        ResultsFile::OpenError error;
        auto log = ResultsFile::open(path.string(), csvHeader(), ResultsFile::Mode::Append, error);
        EXPECT_TRUE(log) << error.text;
        return log;
    }

    fs::path directory;
    fs::path path;
};

} // namespace

TEST(ResultsCsv, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(csvField("USD"), "USD");
    EXPECT_EQ(csvField(""), "");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_EQ(csvField("щатски долар - USD"), "щатски долар - USD"); // inner blanks are safe
    EXPECT_EQ(csvField("GBP "), "\"GBP \"");
    EXPECT_EQ(csvField(" GBP"), "\" GBP\"");
}

TEST(ResultsCsv, WritesARowWithTheCodeTheNameAndTheVerdict) {
    EXPECT_EQ(csvLine(poundRow()), kPoundLine);

    ResultRow right = poundRow();
    right.chosenSide = 1;
    right.currency = "JPY";
    right.currencyName = "японска йена - JPY";
    right.spread = 1.52015 - 1.45339;
    right.data = "ecb";
    right.staircase = 2;
    EXPECT_EQ(csvLine(right), "2026-12-08T09:15:00+02:00,4294967295,12,JPY,японска йена - JPY,"
                              "1,1,1,0.06676,3,ecb,Иванова Мария,PC07,2,00c0ffee12345678,\r\n");

    // In a class folder: the seed only sealed, never in plain.
    ResultRow sealed = right;
    sealed.seed.reset();
    sealed.run = 0xFFFFFFFFFFFFFFFFULL;
    sealed.sealedSeed = "q+/w==";
    EXPECT_EQ(csvLine(sealed), "2026-12-08T09:15:00+02:00,,12,JPY,японска йена - JPY,"
                               "1,1,1,0.06676,3,ecb,Иванова Мария,PC07,2,ffffffffffffffff,q+/w==\r\n");
}

TEST(ResultsCsv, WritesTheSpreadAtTheDatasPrecision) {
    const struct {
        double spread;
        int decimals;
        const char* text;
    } cases[] = {
        {1.52015 - 1.45339, 5, "0.06676"}, // the double difference is 0.0667599999999999
        {1.59986 - 1.57386, 5, "0.026"},   // trailing zeros dropped
        {18606.59 - 18100.09, 2, "506.5"}, {163.36 - 161.0, 2, "2.36"},
        {1200.0 - 1100.0, 0, "100"}, // no point to drop zeros after
    };
    for (const auto& c : cases) {
        ResultRow row = poundRow();
        row.spread = c.spread;
        row.decimals = c.decimals;
        const std::string line = csvLine(row);
        EXPECT_NE(line.find(std::string(",") + c.text + ",3,"), std::string::npos) << c.text;
    }
}

TEST_F(ResultsFileOfRows, ANewFileGetsTheHeaderAndEachRowAtOnce) {
    auto log = open();
    EXPECT_EQ(contents(path), kHeader);
    ASSERT_TRUE(log->append(csvLine(poundRow())).written);
    // Read while the log is still open: the row is already on disk.
    EXPECT_EQ(contents(path), kHeader + kPoundLine);
}

TEST_F(ResultsFileOfRows, ALaterRunAppendsWithoutASecondHeader) {
    open()->append(csvLine(poundRow()));
    open()->append(csvLine(poundRow()));
    EXPECT_EQ(contents(path), kHeader + kPoundLine + kPoundLine);
}

TEST_F(ResultsFileOfRows, AnEmptyFileGetsTheHeader) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).close();
    open();
    EXPECT_EQ(contents(path), kHeader);
}

TEST_F(ResultsFileOfRows, APathThatCannotBeWrittenIsRefused) {
    for (const fs::path& bad : {directory / "missing" / "results.csv", directory}) {
        ResultsFile::OpenError error;
        EXPECT_EQ(ResultsFile::open(bad.string(), csvHeader(), ResultsFile::Mode::Append, error),
                  nullptr)
            << bad;
        EXPECT_FALSE(error.text.empty()) << bad;
    }
    EXPECT_FALSE(fs::exists(directory / "missing"));
}
