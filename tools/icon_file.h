#pragma once

#include <cstdint>
#include <vector>

class QImage;

namespace talvex::tools {

// Encodes a 32 x 32 picture as a Windows .ico file: a single 256-colour image stored as a
// bitmap with a 1-bit transparency mask, which every Windows version and resource compiler
// reads. Fully transparent pixels become transparent; every other pixel must be fully opaque
// and keeps its exact colour. Palette indices are given in order of first appearance, row by
// row from the top, so the same picture always gives the same bytes.
//
// Throws std::invalid_argument when the picture is not 32 x 32, has partly transparent
// pixels (the mask has no shades between on and off), or has more colours than the palette
// holds next to black at index 0, which transparent pixels use.
std::vector<std::uint8_t> windowsIcon(const QImage& picture);

} // namespace talvex::tools
