#pragma once

#include <windows.h>

namespace talvex::form {
struct Control;
}

namespace talvex::win32 {

// Creates the form's `control` in `window` as Windows' own control of its kind, empty and of no
// size: the layout places it and gives it its font. Null if Windows refuses.
[[nodiscard]] HWND createControl(HWND window, const form::Control& control);

// Gives the created `child` the caption, text or rows of the form's `control`, once it has its
// font, so that its text is laid out once, in the font it is shown in. Wine 8.0's 64-bit gdi32
// faults when the output box lays its opening text out in the system font, which leaves the box
// a single line.
void fillControl(HWND child, const form::Control& control);

} // namespace talvex::win32
