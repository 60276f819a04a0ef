#pragma once

// Numbers that stand for pupils in front of the class: kept while the view is open, given in
// an order that follows neither the pupils' names nor their results.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quiz {

class PupilNumbers {
public:
    // `salt` shuffles the order new pupils are numbered in; a different one each lesson keeps
    // a number from telling a pupil apart across lessons.
    explicit PupilNumbers(std::uint64_t salt) : salt_(salt) {}

    // Each pupil's number, from 1, in the order given; those met for the first time get the
    // next free numbers, in the salted order.
    std::vector<int> number(const std::vector<std::string>& pupils);

private:
    std::uint64_t salt_;
    std::map<std::string, int, std::less<>> numbers_;
};

} // namespace quiz
