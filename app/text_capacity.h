#pragma once

#include <cstddef>
#include <string_view>

namespace talvex::form {

// How much of `text` (UTF-16, CR LF line breaks) fits in `room` code units: as much as fits,
// cut neither inside a surrogate pair nor between the CR and the LF of a line break.
template <class Char>
[[nodiscard]] constexpr std::size_t fittingLength(std::basic_string_view<Char> text,
                                                  std::size_t room) {
    static_assert(sizeof(Char) == 2, "UTF-16 code units");
    if (text.size() <= room) {
        return text.size();
    }
    std::size_t length = room;
    const auto unit = [&](std::size_t at) { return static_cast<char16_t>(text[at]); };
    const bool splitsPair = length > 0 && unit(length - 1) >= 0xD800 && unit(length - 1) <= 0xDBFF;
    const bool splitsBreak = length > 0 && unit(length - 1) == u'\r' && unit(length) == u'\n';
    if (splitsPair || splitsBreak) {
        --length;
    }
    return length;
}

} // namespace talvex::form
