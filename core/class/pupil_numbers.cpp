#include "core/class/pupil_numbers.h"

#include <algorithm>
#include <tuple>

namespace quiz {

namespace {

// FNV-1a over the salt's bytes and the name's: the same on every system, unlike std::hash.
std::uint64_t shuffled(std::uint64_t salt, const std::string& pupil) {
    constexpr std::uint64_t kOffset = 14695981039346656037ULL;
    constexpr std::uint64_t kPrime = 1099511628211ULL;
    std::uint64_t hash = kOffset;
    for (int shift = 0; shift < 64; shift += 8) {
        hash = (hash ^ ((salt >> shift) & 0xFF)) * kPrime;
    }
    for (const unsigned char byte : pupil) {
        hash = (hash ^ byte) * kPrime;
    }
    return hash;
}

} // namespace

std::vector<int> PupilNumbers::number(const std::vector<std::string>& pupils) {
    std::vector<std::pair<std::uint64_t, const std::string*>> fresh;
    for (const std::string& pupil : pupils) {
        if (!numbers_.contains(pupil)) {
            fresh.emplace_back(shuffled(salt_, pupil), &pupil);
        }
    }
    std::sort(fresh.begin(), fresh.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first, *a.second) < std::tie(b.first, *b.second);
    });
    for (const auto& [hash, pupil] : fresh) {
        numbers_.try_emplace(*pupil, static_cast<int>(numbers_.size()) + 1);
    }
    std::vector<int> result;
    result.reserve(pupils.size());
    for (const std::string& pupil : pupils) {
        result.push_back(numbers_.at(pupil));
    }
    return result;
}

} // namespace quiz
