#pragma once

#include "pin/random_source.h"

#include <deque>
#include <gtest/gtest.h>
#include <initializer_list>

namespace talvex::test {

// Hands out the numbers it was given, counts the draws, and fails the test if asked for more.
class ScriptedRandom final : public pin::RandomSource {
public:
    explicit ScriptedRandom(std::initializer_list<float> numbers)
        : numbers_(numbers) {}

    float next() override {
        ++draws;
        if (numbers_.empty()) {
            ADD_FAILURE() << "more numbers drawn than scripted";
            return 0.0F;
        }
        const float r = numbers_.front();
        numbers_.pop_front();
        return r;
    }

    int draws = 0;

private:
    std::deque<float> numbers_;
};

// An r whose product with 1000 is `product`, to far better than the half that rounding needs.
constexpr float forProduct(double product) {
    return static_cast<float>(product / 1000.0);
}

} // namespace talvex::test
