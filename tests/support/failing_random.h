#pragma once

#include "pin/random_source.h"

#include <cerrno>
#include <system_error>

namespace talvex::test {

// A system generator that hands out `good` numbers and then fails as getrandom does on EIO.
class FailingRandom final : public pin::RandomSource {
public:
    explicit FailingRandom(int good = 0)
        : good_(good) {}

    float next() override {
        if (good_ == 0) {
            throw std::system_error(EIO, std::generic_category(), "getrandom");
        }
        --good_;
        return 0.5F;
    }

private:
    int good_;
};

} // namespace talvex::test
