#pragma once

#include <QIcon>
#include <QImage>
#include <array>

namespace talvex::qt {

// The sides, in pixels, at which the program's icon is installed for the desktop: whole
// multiples of the 32 x 32 pixel art, so that each picture is the drawing with every pixel a
// square block, as sharp in a launcher as on the window's title bar.
inline constexpr std::array kIconSides = {32, 64, 128, 256};

// The pixel art scaled to `side` by repeating pixels, never by blending them.
[[nodiscard]] QImage iconPicture(int side);

// The sides of the pictures the window's own icon carries: the title bar's, on screens of one
// and two device pixels per window pixel. Launchers take the larger ones from the installed
// icons; drawing them too, and handing them to the window system, would slow every start.
inline constexpr std::array kWindowIconSides = {32, 64};

// The window's icon with a picture at every one of kWindowIconSides, so that Qt need not smooth
// a small one up for a high-density screen. Needs a QGuiApplication.
[[nodiscard]] QIcon programIcon();

} // namespace talvex::qt
