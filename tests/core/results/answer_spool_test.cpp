#include "core/results/answer_spool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace quiz;
namespace fs = std::filesystem;

namespace {

const std::string kHeader = "time,turn,name,right\r\n";
const std::string kRow1 = "2026-12-08T09:15:00+02:00,1,\"паунд,\r\nGBP\",0\r\n";
const std::string kRow2 = "2026-12-08T09:16:00+02:00,2,йена,1\r\n";
const std::string kRow3 = "2026-12-08T09:17:00+02:00,3,лев,1\r\n";

std::string contents(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<fs::path> spools(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        found.push_back(entry.path());
    }
    return found;
}

class AnswerSpoolTest : public testing::Test {
protected:
    void SetUp() override {
        base_ = fs::temp_directory_path() /
                ("answer_spool_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "_" + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(base_);
        fs::create_directories(spoolFolder());
        fs::create_directories(base_ / "class");
    }
    void TearDown() override { fs::remove_all(base_); }

    fs::path spoolFolder() const { return base_ / "spool"; }
    fs::path target() const { return base_ / "class" / "maria.csv"; }

    // A spool as a run that was killed leaves it: the rows it kept, no lock held.
    void leaveSpool(const std::vector<std::string>& rows, const std::string& tail = {}) {
        auto spool = AnswerSpool::open(spoolFolder().string(), target().string());
        ASSERT_NE(spool, nullptr);
        for (const std::string& row : rows) {
            ASSERT_TRUE(spool->add(row));
        }
        if (!tail.empty()) {
            spool->add(tail);
        }
    }

    fs::path base_;
};

// What the class file holds before, what the spool kept: after delivery every row is there once.
struct Case {
    const char* name;
    std::string before;             // the class file; empty: it is not there (a share away)
    std::vector<std::string> kept;  // the spool's rows
    std::string torn;               // a last row the spool got only part of
    std::string after;              // the class file once delivered
    std::size_t delivered, present, waiting;
    bool spoolRemains;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class Delivery : public AnswerSpoolTest, public testing::WithParamInterface<Case> {};

TEST_P(Delivery, EveryRowReachesItsFileOnce) {
    const Case& c = GetParam();
    if (!c.before.empty()) {
        write(target(), c.before);
    }
    leaveSpool(c.kept, c.torn);
    const SpoolDelivery result = deliverLeftSpools(spoolFolder().string());
    EXPECT_EQ(result.delivered, c.delivered);
    EXPECT_EQ(result.present, c.present);
    EXPECT_EQ(result.waiting, c.waiting);
    if (c.after.empty()) {
        EXPECT_FALSE(fs::exists(target())) << "nothing written where the share was";
    } else {
        EXPECT_EQ(contents(target()), c.after);
    }
    EXPECT_EQ(spools(spoolFolder()).size(), c.spoolRemains ? 1U : 0U);
}

INSTANTIATE_TEST_SUITE_P(
    AnswerSpool, Delivery,
    testing::Values(
        Case{"rows_that_never_reached_the_file", kHeader + kRow1, {kRow2, kRow3}, "",
             kHeader + kRow1 + kRow2 + kRow3, 2, 0, 0, false},
        // Killed after writing to the class file, before emptying the spool.
        Case{"rows_the_file_already_holds", kHeader + kRow1 + kRow2, {kRow1, kRow2}, "",
             kHeader + kRow1 + kRow2, 0, 2, 0, false},
        Case{"killed_halfway_through_delivering", kHeader + kRow1, {kRow1, kRow2, kRow3}, "",
             kHeader + kRow1 + kRow2 + kRow3, 2, 1, 0, false},
        Case{"a_row_cut_short_by_a_power_cut", kHeader, {kRow1}, "2026-12-08T09:16:00+02:00,2,й",
             kHeader + kRow1, 1, 0, 0, false},
        Case{"the_file_cannot_be_reached", "", {kRow1, kRow2}, "", "", 0, 0, 2, true},
        Case{"an_empty_spool", kHeader, {}, "", kHeader, 0, 0, 0, false}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// A lesson host makes the missing file of its own spool where its folder is back; never where
// the folder is not there, nor in an empty one, which may be a share's mount point.
TEST_F(AnswerSpoolTest, AHostMakesTheMissingFileWhereItsFolderIs) {
    const std::string header = kHeader.substr(0, kHeader.size() - 2);
    leaveSpool({kRow1, kRow2});
    fs::rename(base_ / "class", base_ / "away");
    SpoolDelivery result = deliverLeftSpools(spoolFolder().string(), {}, header);
    EXPECT_EQ(result.waiting, 2U);
    EXPECT_FALSE(fs::exists(base_ / "class"));
    fs::create_directory(base_ / "class"); // an empty mount point
    result = deliverLeftSpools(spoolFolder().string(), {}, header);
    EXPECT_EQ(result.waiting, 2U);
    EXPECT_FALSE(fs::exists(target()));
    fs::remove(base_ / "class");
    fs::rename(base_ / "away", base_ / "class");
    write(base_ / "class" / "ivan.csv", kHeader + kRow3); // a classmate's
    result = deliverLeftSpools(spoolFolder().string(), {}, header);
    EXPECT_EQ(result.delivered, 2U);
    EXPECT_EQ(contents(target()), kHeader + kRow1 + kRow2);
    EXPECT_TRUE(spools(spoolFolder()).empty());
}

TEST_F(AnswerSpoolTest, ARunningQuizKeepsItsOwnSpool) {
    write(target(), kHeader);
    auto running = AnswerSpool::open(spoolFolder().string(), target().string());
    ASSERT_NE(running, nullptr);
    ASSERT_TRUE(running->add(kRow1));
    // Another run's delivery leaves it to its owner, and so does the owner's own.
    EXPECT_EQ(deliverLeftSpools(spoolFolder().string()).delivered, 0U);
    EXPECT_EQ(deliverLeftSpools(spoolFolder().string(), running->path()).delivered, 0U);
    EXPECT_EQ(contents(target()), kHeader);
    running.reset();
    EXPECT_EQ(deliverLeftSpools(spoolFolder().string()).delivered, 1U);
    EXPECT_EQ(contents(target()), kHeader + kRow1);
}

TEST_F(AnswerSpoolTest, AnEmptiedSpoolGoesWithItsRun) {
    auto spool = AnswerSpool::open(spoolFolder().string(), target().string());
    ASSERT_NE(spool, nullptr);
    ASSERT_TRUE(spool->add(kRow1));
    spool->clear();
    EXPECT_EQ(spool->rows(), 0U);
    spool.reset();
    EXPECT_TRUE(spools(spoolFolder()).empty());
}

TEST_F(AnswerSpoolTest, TwoRunsOfOneFileKeepTwoSpools) {
    auto first = AnswerSpool::open(spoolFolder().string(), target().string());
    auto second = AnswerSpool::open(spoolFolder().string(), target().string());
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first->path(), second->path());
}

} // namespace
