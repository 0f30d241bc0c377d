#include "digit_rule.h"

#include <cmath>

namespace talvex::pin {

Row digitFromRandom(float r) {
    // A float has a 24-bit significand and 1000 needs 10 bits, so the product is exact in a
    // double. Multiplying in float would round first, and a few values just below a half
    // would then round twice and land on the wrong digit.
    const double product = static_cast<double>(r) * static_cast<double>(1000.0F);

    double whole = std::floor(product);
    const double fraction = product - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    return static_cast<Row>(static_cast<int>(whole) % 10);
}

} // namespace talvex::pin
