#include "system_random.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <sys/random.h>
#include <system_error>

namespace talvex::pin {

namespace {

std::uint32_t systemRandomWord() {
    std::uint32_t word = 0;
    auto* bytes = reinterpret_cast<std::byte*>(&word);
    std::size_t filled = 0;
    while (filled < sizeof word) {
        const ssize_t got = getrandom(bytes + filled, sizeof word - filled, 0);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            // A PIN from a weaker source would look just as random and be guessable: stop.
            throw std::system_error(errno, std::generic_category(), "getrandom");
        }
        filled += static_cast<std::size_t>(got);
    }
    return word;
}

} // namespace

float SystemRandom::next() {
    constexpr int kBits = 24; // a float's significand: k / 2^24 is exact
    const std::uint32_t k = systemRandomWord() >> (32 - kBits);
    return static_cast<float>(k) / static_cast<float>(1U << kBits);
}

} // namespace talvex::pin
