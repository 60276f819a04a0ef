#include "core/platform/regular_file.h"

#include "core/platform/file_ops.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using quiz::platform::readRegularFile;
using quiz::platform::RegularFile;

namespace {

class RegularFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("regular-file-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string path(const char* name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

} // namespace

// Only a regular file is read, and no more of it than asked; what stands there instead is said.
TEST_F(RegularFileTest, ReadsARegularFileOnlyAndNoMoreThanAsked) {
    std::ofstream(path("lesson.ini"), std::ios::binary) << "level=3\r\nend\r\n";
    std::filesystem::create_directory(path("folder"));
    using Kind = quiz::FileKind;
    const struct {
        const char* name;
        std::size_t most;
        RegularFile::Outcome outcome;
        std::string bytes;
        quiz::FileKind kind;
    } cases[] = {
        {"lesson.ini", 100, RegularFile::Outcome::Read, "level=3\r\nend\r\n", Kind::Regular},
        {"lesson.ini", 7, RegularFile::Outcome::Read, "level=3", Kind::Regular},
        {"missing.ini", 100, RegularFile::Outcome::Missing, "", Kind::Regular},
        {"folder", 100, RegularFile::Outcome::NotRegular, "", Kind::Folder},
    };
    for (const auto& test : cases) {
        const RegularFile file = readRegularFile(path(test.name), test.most);
        EXPECT_EQ(file.outcome, test.outcome) << test.name;
        EXPECT_EQ(file.bytes, test.bytes) << test.name;
        EXPECT_EQ(file.kind, test.kind) << test.name;
    }
}

// Who wrote a file is told by the system, not by the file: ours is ours, another account's not.
TEST_F(RegularFileTest, SaysWhichAccountOwnsTheFile) {
    std::ofstream(path("lesson.ini"), std::ios::binary) << "written-by=teacher\r\nend\r\n";
    const std::string account = quiz::platform::currentAccount();
    ASSERT_FALSE(account.empty());
    EXPECT_EQ(readRegularFile(path("lesson.ini"), 100).owner, account);
#ifndef _WIN32
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a file to another account";
    }
    constexpr uid_t kNobody = 65534;
    ASSERT_EQ(::chown(path("lesson.ini").c_str(), kNobody, static_cast<gid_t>(-1)), 0);
    const std::string owner = readRegularFile(path("lesson.ini"), 100).owner;
    EXPECT_FALSE(owner.empty());
    EXPECT_NE(owner, account);
#endif
}

#ifndef _WIN32
// A pipe with no writer would block an ordinary open for good.
TEST_F(RegularFileTest, APipeIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(path("lesson.ini").c_str(), 0600), 0);
    const RegularFile file = readRegularFile(path("lesson.ini"), 100);
    EXPECT_EQ(file.outcome, RegularFile::Outcome::NotRegular);
    EXPECT_EQ(file.kind, quiz::FileKind::Pipe);
}
#endif

// The settings are put in place in one step, over a file already there or into a free name;
// a source that is not there changes nothing.
TEST_F(RegularFileTest, ReplaceWithPutsTheNewFileInPlace) {
    using quiz::platform::replaceWith;
    std::ofstream(path("new.tmp"), std::ios::binary) << "new";
    std::ofstream(path("lesson.ini"), std::ios::binary) << "old";
    EXPECT_TRUE(replaceWith(path("new.tmp"), path("lesson.ini")));
    EXPECT_EQ(readRegularFile(path("lesson.ini"), 10).bytes, "new");
    EXPECT_EQ(readRegularFile(path("new.tmp"), 10).outcome, RegularFile::Outcome::Missing);
    EXPECT_FALSE(replaceWith(path("new.tmp"), path("lesson.ini")));
    EXPECT_EQ(readRegularFile(path("lesson.ini"), 10).bytes, "new");
}
