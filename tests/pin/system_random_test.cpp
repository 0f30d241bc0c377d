#include "pin/system_random.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace talvex::pin {
namespace {

TEST(SystemRandom, DrawsExactMultiplesOfTwoToTheMinus24BelowOne) {
    SystemRandom random;
    std::set<float> seen;
    for (int i = 0; i < 10000; ++i) {
        const float r = random.next();
        ASSERT_GE(r, 0.0F);
        ASSERT_LT(r, 1.0F);
        const float k = std::ldexp(r, 24);
        ASSERT_EQ(k, std::floor(k)) << r;
        seen.insert(r);
    }
    // 10^4 draws out of 2^24 values: a repeat is rare, many would mean a broken source.
    EXPECT_GT(seen.size(), 9900U);
}

} // namespace
} // namespace talvex::pin
