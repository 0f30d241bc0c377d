#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace talvex::pin {

// The four digit lists List1(0)..List1(3), one per position of the PIN, left to right.
inline constexpr int kDigitLists = 4;

// A row position in a digit list; the row at position k reads as the digit k.
using Row = std::int16_t;
inline constexpr Row kNoRow = -1;

// All that the commands may do to the window. Each front end implements it over its real
// controls; tests implement it over plain memory.
class Controls {
public:
    virtual ~Controls() = default;

    // Selected row of List1(list), or kNoRow.
    [[nodiscard]] virtual Row listIndex(int list) const = 0;
    // Selects `row` in List1(list) and shows it; kNoRow selects nothing.
    virtual void setListIndex(int list, Row row) = 0;

    // The whole text of the output box Text1(0), UTF-8 with CR LF line breaks.
    [[nodiscard]] virtual std::string outputText() const = 0;
    virtual void setOutputText(std::string_view text) = 0;
};

} // namespace talvex::pin
