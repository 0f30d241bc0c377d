#include "pin/digit_rule.h"

#include <cmath>
#include <gtest/gtest.h>

namespace talvex::pin {
namespace {

// The values our source draws: k / 2^24.
float fromBits(int k) {
    return std::ldexp(static_cast<float>(k), -24);
}

TEST(DigitRule, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(digitFromRandom(0.0625F), 2); // 62.5 -> 62
    EXPECT_EQ(digitFromRandom(0.1875F), 8); // 187.5 -> 188
}

TEST(DigitRule, TakesTheUnitsOfTheRoundedProduct) {
    EXPECT_EQ(digitFromRandom(0.0F), 0);
    EXPECT_EQ(digitFromRandom(fromBits(1)), 0); // 0.00006 -> 0
    EXPECT_EQ(digitFromRandom(0.123F), 3);      // 123.000002 -> 123
    EXPECT_EQ(digitFromRandom(0.1239F), 4);     // 123.9 -> 124
}

TEST(DigitRule, ProductsFrom999Point5UpGiveZero) {
    // 16768828 / 2^24 * 1000 = 999.50004, the smallest draw at or above 999.5.
    EXPECT_EQ(digitFromRandom(fromBits(16768828)), 0);
    EXPECT_EQ(digitFromRandom(std::nextafter(1.0F, 0.0F)), 0); // the largest r below 1
    EXPECT_EQ(digitFromRandom(fromBits(16768827)), 9);         // 999.49998
}

TEST(DigitRule, MultipliesExactly) {
    // Draws whose float product with 1000 rounds onto a half, and then to the wrong integer.
    const float below = fromBits(427819); // 25.4999995, in float 25.5 -> 26
    const float above = fromBits(813695); // 48.5000014, in float 48.5 -> 48
    ASSERT_EQ(below * 1000.0F, 25.5F);
    ASSERT_EQ(above * 1000.0F, 48.5F);
    EXPECT_EQ(digitFromRandom(below), 5);
    EXPECT_EQ(digitFromRandom(above), 9);
}

} // namespace
} // namespace talvex::pin
