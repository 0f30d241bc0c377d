#include "tests/support/replay_against_model.h"
#include "tests/support/window_model.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace talvex::test {
namespace {

// SplitMix64: the same numbers from the same seed on every platform and compiler.
class Numbers {
public:
    explicit Numbers(std::uint64_t seed)
        : state_(seed) {}

    std::uint64_t below(std::uint64_t bound) {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15U);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9U;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBU;
        return (z ^ (z >> 31)) % bound;
    }

private:
    std::uint64_t state_;
};

float fromBits(std::uint64_t k) {
    return std::ldexp(static_cast<float>(k), -24);
}

float randomDraw(Numbers& numbers) {
    switch (numbers.below(4)) {
    case 0: // as the system source draws
        return fromBits(numbers.below(std::uint64_t{1} << 24));
    case 1: { // at most two draws from where 1000 r crosses n + 1/2, or lands on it
        const std::uint64_t n = numbers.below(1000);
        const std::uint64_t k = ((2 * n + 1) << 23) / 1000 + numbers.below(4);
        return fromBits(k - 1);
    }
    case 2: // any float below 1, however small
        return std::bit_cast<float>(static_cast<std::uint32_t>(numbers.below(0x3F800000)));
    default:
        return numbers.below(2) == 0 ? 0.0F : std::nextafter(1.0F, 0.0F);
    }
}

Action randomAction(Numbers& numbers) {
    // The extremes, their neighbours and both buttons, each far more often than chance would.
    constexpr std::array<std::int16_t, 8> kOften{
        std::numeric_limits<std::int16_t>::min(), -1, 0, 0, 1, 1, 2,
        std::numeric_limits<std::int16_t>::max()};
    switch (numbers.below(7)) {
    case 0:
    case 1:
    case 2: {
        const auto row = static_cast<std::int16_t>(numbers.below(12)); // none twice as often
        return SelectRow{static_cast<int>(numbers.below(4)), row > 9 ? std::int16_t{-1} : row};
    }
    case 3:
    case 4:
    case 5:
        if (numbers.below(4) == 0) {
            return PressButton{static_cast<std::int16_t>(numbers.below(65536))};
        }
        return PressButton{kOften[numbers.below(kOften.size())]};
    default: {
        // Any bytes, after what a generation leaves in the box or on their own.
        std::string text = numbers.below(2) == 0 ? "Генериран нов PIN код:\r\n" : "";
        for (auto length = numbers.below(24); length > 0; --length) {
            text += static_cast<char>(numbers.below(256));
        }
        return TypeText{text};
    }
    }
}

TEST(ActionSequences, EveryStepLeavesTheWindowAsTheModelSays) {
    constexpr std::uint64_t kSequences = 100'000;
    std::uint64_t steps = 0;
    int failures = 0;
    for (std::uint64_t seed = 0; seed < kSequences && failures < 3; ++seed) {
        Numbers numbers(seed);
        std::vector<Action> actions(1 + numbers.below(16));
        std::vector<float> tape(4 * actions.size());
        for (Action& action : actions) {
            action = randomAction(numbers);
        }
        for (float& r : tape) {
            r = randomDraw(numbers);
        }
        steps += actions.size();
        if (const auto divergence = firstDivergence(actions, tape)) {
            ADD_FAILURE() << "sequence with seed " << seed << ": " << *divergence;
            ++failures;
        }
    }
    RecordProperty("steps", std::to_string(steps));
}

} // namespace
} // namespace talvex::test
