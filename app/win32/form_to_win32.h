#pragma once

#include "app/form.h"

#include <windows.h>

namespace talvex::win32 {

// Twips to pixels at `dpi` dots per inch, rounded to the nearest pixel: the one conversion, so
// that the window keeps its physical size at any DPI.
[[nodiscard]] int pixels(int twips, int dpi);

// The screen's dots per inch, as the window's pixels are counted.
[[nodiscard]] int screenDpi();

// The form's font at `dpi`; the caller owns it and deletes it with DeleteObject.
[[nodiscard]] HFONT createFont(const form::Font& font, int dpi);

} // namespace talvex::win32
