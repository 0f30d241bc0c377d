#pragma once

namespace talvex::pin {

// Where the drawn digits come from.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // The next number r of the sequence, 0 <= r < 1.
    [[nodiscard]] virtual float next() = 0;
};

} // namespace talvex::pin
