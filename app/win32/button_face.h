#pragma once

#include <windows.h>

namespace talvex::win32 {

// Paints an owner-drawn push button in its face colour: a raised edge that sinks while the
// button is pressed, the caption centred in `font` and `text` colour, and the focus rectangle
// when it has focus.
void drawButtonFace(const DRAWITEMSTRUCT& item, HBRUSH face, COLORREF text, HFONT font);

} // namespace talvex::win32
