#pragma once

#include <windows.h>

namespace talvex::win32 {

// Paints an owner-drawn push button in its face colour: a raised edge that sinks while the
// button is pressed, the caption centred in `font` and `text` colour, and the focus rectangle
// when it has focus, inset as far at the window's `dpi` as at 96.
void drawButtonFace(const DRAWITEMSTRUCT& item, HBRUSH face, COLORREF text, HFONT font, int dpi);

} // namespace talvex::win32
