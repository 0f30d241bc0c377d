#include "pin/digit_rule.h"
#include "pin/system_random.h"
#include "tests/support/window_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace talvex::pin {
namespace {

TEST(SystemRandom, DigitsFollowTheirExactProbabilities) {
    // The digits are not quite equally likely: each one's share of the 2^24 possible draws.
    std::array<double, 10> probability{};
    for (std::uint32_t k = 0; k < (1U << 24); ++k) {
        const auto digit = test::modelDigit(std::ldexp(static_cast<float>(k), -24));
        probability[static_cast<std::size_t>(digit)] += std::ldexp(1.0, -24);
    }

    constexpr int kDigits = 1'000'000;
    std::array<int, 10> observed{};
    SystemRandom random;
    for (int i = 0; i < kDigits; ++i) {
        ++observed[static_cast<std::size_t>(digitFromRandom(random.next()))];
    }

    double chiSquare = 0.0;
    for (std::size_t digit = 0; digit < 10; ++digit) {
        const double expected = kDigits * probability[digit];
        chiSquare += (observed[digit] - expected) * (observed[digit] - expected) / expected;
    }
    RecordProperty("chi_square", std::to_string(chiSquare));
    // The chi-square distribution with 9 degrees of freedom exceeds 60.66 with probability
    // 1.0001e-9: a sound source fails this about once in a billion runs.
    EXPECT_LT(chiSquare, 60.66);
}

TEST(SystemRandom, TwoSourcesDrawDifferentSequences) {
    // Eight draws are 192 bits: a seeded generator repeats them, a sound source never does.
    const auto draw = [] {
        SystemRandom random;
        std::vector<float> sequence(8);
        std::ranges::generate(sequence, [&] { return random.next(); });
        return sequence;
    };
    EXPECT_NE(draw(), draw());
}

} // namespace
} // namespace talvex::pin
