#pragma once

#include <QImage>
#include <array>

namespace talvex::tools {

// The sides of the pictures in Talvex.exe's icon, in the .ico file's order: those Windows asks
// for (16, 24 and 32 on the title bar at 100 %, 150 % and 200 %; 32 and 48 on the taskbar and in
// Alt+Tab at 100 % and 150 %; 256 in Explorer's large views), the drawing's own side first, for
// whatever reads only an icon's first picture.
inline constexpr std::array kWindowsIconSides = {32, 16, 24, 48, 256};

// The pixel art at `side`, in 32-bit ARGB: enlarged as the desktop's icons are, by repeating
// pixels; reduced by keeping one of the drawing's own pixels for each block of them. No colour
// is ever blended, so the picture stays as sharp as the drawing at every side.
[[nodiscard]] QImage windowsIconPicture(int side);

} // namespace talvex::tools
