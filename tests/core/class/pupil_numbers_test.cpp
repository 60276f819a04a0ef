#include "core/class/pupil_numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace quiz;

namespace {

const std::vector<std::string> kClass = {"Ана", "Борис", "Вера", "Гошо", "Даня", "Елена"};

} // namespace

TEST(PupilNumbers, NumbersFromOneInAnOrderOfNeitherNamesNorTheGivenOne) {
    const struct {
        std::uint64_t salt;
        std::vector<int> expected;
    } cases[] = {
        {1, {3, 4, 1, 5, 6, 2}},
        {2, {1, 5, 3, 4, 6, 2}},
    };
    for (const auto& c : cases) {
        PupilNumbers numbers(c.salt);
        const std::vector<int> given = numbers.number(kClass);
        EXPECT_EQ(given, c.expected) << c.salt;
        std::vector<int> sorted = given;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, (std::vector<int>{1, 2, 3, 4, 5, 6})) << c.salt;
    }
}

TEST(PupilNumbers, KeepsEachNumberAsPupilsJoinAndLeave) {
    PupilNumbers numbers(1);
    const std::vector<int> first = numbers.number({"Борис", "Вера"});
    // A newcomer before them by name, one gone, one back: the known keep their numbers.
    const std::vector<int> later = numbers.number({"Ана", "Вера", "Ана"});
    EXPECT_EQ(later[0], 3);
    EXPECT_EQ(later[1], first[1]);
    EXPECT_EQ(later[2], 3);
    EXPECT_EQ(numbers.number({"Борис"}), std::vector<int>{first[0]});
}
