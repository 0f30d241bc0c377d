#pragma once

#include "controls.h"
#include "random_source.h"

#include <cstdint>
#include <string_view>

namespace talvex::pin {

// First line of the output box after a generation.
inline constexpr std::string_view kHeader = "Генериран нов PIN код:";
inline constexpr std::string_view kLineBreak = "\r\n";

// Indexes of the buttons in the Command1 array.
inline constexpr std::int16_t kChoose = 0;
inline constexpr std::int16_t kClear = 1;

// A click on Command1(index). Indexes other than kChoose and kClear do nothing.
void command1Click(std::int16_t index, Controls& controls, RandomSource& random);

// Completes the PIN: a digit the user selected stays, every list without a selection gets a
// drawn digit and shows it selected; the header and the four digits go to the output box.
// Where the random source throws, the lists and the box are put back as they were before the
// exception goes on: no half-drawn PIN is left to be taken for a whole one.
void generatePin(Controls& controls, RandomSource& random);

// Deselects every digit list and empties the output box.
void clearPin(Controls& controls);

} // namespace talvex::pin
