#pragma once

#include "pin/random_source.h"

#include <cstdint>

namespace talvex::bench {

// Deterministic and nearly free, so that a benchmark times the click rather than the draw: the
// top 24 bits k of a linear congruential generator, as k / 2^24.
class CheapRandom final : public pin::RandomSource {
public:
    float next() override {
        state_ = state_ * 1664525U + 1013904223U;
        return static_cast<float>(state_ >> 8) / 16777216.0F;
    }

private:
    std::uint32_t state_ = 1;
};

} // namespace talvex::bench
