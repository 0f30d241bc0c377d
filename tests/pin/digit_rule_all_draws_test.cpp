#include "pin/digit_rule.h"
#include "tests/support/window_model.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace talvex::pin {
namespace {

constexpr std::int64_t kDraws = std::int64_t{1} << 24;

TEST(DigitRule, EveryPossibleDrawGivesTheModelDigitAndNoDigitIsFavoured) {
    std::array<std::int64_t, 10> counts{};
    int mismatches = 0;
    for (std::int64_t k = 0; k < kDraws; ++k) {
        const float r = std::ldexp(static_cast<float>(k), -24);
        const Row digit = digitFromRandom(r);
        ASSERT_TRUE(digit >= 0 && digit <= 9) << "k = " << k;
        ++counts[static_cast<std::size_t>(digit)];
        if (digit != test::modelDigit(r) && ++mismatches <= 5) {
            ADD_FAILURE() << "k = " << k << " gives " << digit << ", should give "
                          << test::modelDigit(r);
        }
    }
    EXPECT_EQ(mismatches, 0);

    // 1000 k / 2^24 rounds to n for k in an interval of W = 2^24 / 1000 = 16777.216 draws; n = 0
    // and n = 1000 get half of one each, together a whole one once k wraps around 2^24. A digit
    // owns 100 of these intervals, 10 W = 167772 + 4/25 apart, so the fractional parts of their
    // starts run four times through 25 values 1/25 apart. Counted with its start, an interval holds
    // 16778 draws when the start lies less than 0.216 below a whole k, else 16777: for 5 or 6 of
    // the 25 values. So a digit counts 100 * 16777 + 4 * 5 or + 4 * 6 = 1677720 or 1677724 draws.
    // The only exact halves, 62.5, 187.5, ... 937.5, go to the even side; four of them move one
    // draw each from digit 3 to digit 2, which merely swaps those two counts. Hence no digit is
    // more than 2.4 from 2^24 / 10 = 1677721.6, and four digits are exactly that far.
    std::string seen;
    for (const std::int64_t count : counts) {
        EXPECT_LE(std::abs(10 * count - kDraws), 24) << count;
        seen.append(" ").append(std::to_string(count));
    }
    RecordProperty("digit_counts", seen);
}

} // namespace
} // namespace talvex::pin
