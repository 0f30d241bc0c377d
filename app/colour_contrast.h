#pragma once

#include "form.h"

#include <algorithm>
#include <cmath>

namespace talvex::form {

// WCAG 2's relative luminance of an sRGB colour, from 0 (black) to 1 (white).
[[nodiscard]] inline double relativeLuminance(Rgb colour) {
    const auto linear = [](std::uint8_t channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

// WCAG 2's contrast ratio of two colours, from 1 (the same) to 21 (black and white).
[[nodiscard]] inline double contrastRatio(Rgb one, Rgb other) {
    const double a = relativeLuminance(one);
    const double b = relativeLuminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace talvex::form
