#include "system_random.h"

#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
// windows.h first: bcrypt.h relies on its types.
#include <array>
#include <bcrypt.h>
#include <cstdio>
#include <stdexcept>
#else
#include <cerrno>
#include <cstddef>
#include <sys/random.h>
#include <system_error>
#endif

namespace talvex::pin {

namespace {

// A PIN from a weaker source would look just as random and be guessable, so where the system's
// generator fails we stop rather than fall back.
#if defined(_WIN32)

std::uint32_t systemRandomWord() {
    std::uint32_t word = 0;
    const NTSTATUS status = BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&word), sizeof word,
                                            BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    if (!BCRYPT_SUCCESS(status)) {
        std::array<char, 48> message{};
        std::snprintf(message.data(), message.size(), "BCryptGenRandom failed: status 0x%08lX",
                      static_cast<unsigned long>(status));
        throw std::runtime_error(message.data());
    }
    return word;
}

#else

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
            throw std::system_error(errno, std::generic_category(), "getrandom");
        }
        filled += static_cast<std::size_t>(got);
    }
    return word;
}

#endif

} // namespace

float SystemRandom::next() {
    constexpr int kBits = 24; // a float's significand: k / 2^24 is exact
    const std::uint32_t k = systemRandomWord() >> (32 - kBits);
    return static_cast<float>(k) / static_cast<float>(1U << kBits);
}

} // namespace talvex::pin
