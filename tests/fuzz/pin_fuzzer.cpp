// Turns bytes into a run of what a user can do and the numbers it may draw, plays it through
// the command handler and the model side by side, and aborts with the whole run where they part.
//
// The input, in order:
//   draws    a byte n, then 1 + n % 16 draws of four bytes each, little-endian, read as the bits
//            of a float below 1 (bits % 0x3F800000, so that every such float can occur)
//   actions  to the end, each an opcode byte (% 3) and its operands:
//            0 select  one byte b: List1(b % 4), row b / 4 % 11 - 1 (-1 is none)
//            1 press   two bytes, little-endian: the int16 button index
//            2 type    a length byte, then up to that many bytes of text

#include "tests/support/replay_against_model.h"
#include "tests/support/window_model.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace talvex::test;

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size) {}

    [[nodiscard]] std::size_t left() const { return size_ - at_; }

    // The next `count` bytes, little-endian; the caller checks that there are enough.
    std::uint32_t take(std::size_t count) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            value |= std::uint32_t{data_[at_++]} << (8 * i);
        }
        return value;
    }

    std::string text(std::size_t length) {
        const std::size_t taken = length < left() ? length : left();
        std::string out(reinterpret_cast<const char*>(data_ + at_), taken);
        at_ += taken;
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, size);
    if (bytes.left() == 0) {
        return 0;
    }
    std::vector<float> tape(1 + bytes.take(1) % 16);
    if (bytes.left() < 4 * tape.size()) {
        return 0;
    }
    for (float& r : tape) {
        r = std::bit_cast<float>(bytes.take(4) % 0x3F800000U);
    }

    std::vector<Action> actions;
    while (bytes.left() >= 2) {
        switch (bytes.take(1) % 3) {
        case 0: {
            const auto b = static_cast<int>(bytes.take(1));
            actions.emplace_back(SelectRow{b % 4, static_cast<std::int16_t>(b / 4 % 11 - 1)});
            break;
        }
        case 1:
            if (bytes.left() >= 2) {
                actions.emplace_back(PressButton{static_cast<std::int16_t>(bytes.take(2))});
            }
            break;
        default:
            actions.emplace_back(TypeText{bytes.text(bytes.take(1))});
            break;
        }
    }

    if (const auto divergence = firstDivergence(actions, tape)) {
        std::fprintf(stderr, "%s\n", divergence->c_str());
        std::abort();
    }
    return 0;
}
