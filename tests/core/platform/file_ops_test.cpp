#include "core/platform/file_ops.h"

#include <gtest/gtest.h>

#include <string>

using namespace quiz::platform;

namespace {

struct StatusPathCase {
    std::string path;
    std::string onWindows; // elsewhere every path stays as it is
};

} // namespace

// A class folder shared whole is a share's root, which Windows' status call takes only with its
// closing separator; everything else goes as it was given.
TEST(FileOpsTest, StatusPathClosesOnlyAShareRoot) {
    const StatusPathCase cases[] = {
        {R"(\\teacher-pc\7a)", R"(\\teacher-pc\7a\)"},
        {"//teacher-pc/7a", "//teacher-pc/7a\\"},
        {R"(\\teacher-pc\7a\)", R"(\\teacher-pc\7a\)"},
        {R"(\\server\class\7a)", R"(\\server\class\7a)"},
        {R"(\\server)", R"(\\server)"},
        {R"(\\server\)", R"(\\server\)"},
        {R"(\\?\C:\class)", R"(\\?\C:\class)"},
        {R"(C:\class)", R"(C:\class)"},
        {"C:", "C:"},
        {"/srv/class", "/srv/class"},
        {"", ""},
    };
    for (const StatusPathCase& test : cases) {
#ifdef _WIN32
        EXPECT_EQ(statusPath(test.path), test.onWindows) << test.path;
#else
        EXPECT_EQ(statusPath(test.path), test.path) << test.path;
#endif
    }
}
