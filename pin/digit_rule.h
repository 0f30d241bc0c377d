#pragma once

#include "controls.h"

namespace talvex::pin {

// The digit that a drawn r (0 <= r < 1) stands for: r times 1000, rounded to the nearest
// integer with halves to even, mod 10.
[[nodiscard]] Row digitFromRandom(float r);

} // namespace talvex::pin
