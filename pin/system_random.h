#pragma once

#include "random_source.h"

namespace talvex::pin {

// Numbers from the operating system's cryptographically secure generator: r = k / 2^24 for a
// uniform 24-bit k, so every float in the sequence is exact and equally likely. Nothing is
// seeded, so no two starts of the program share a sequence and no PIN can be foreseen.
class SystemRandom final : public RandomSource {
public:
    [[nodiscard]] float next() override;
};

} // namespace talvex::pin
