#pragma once

#include <windows.h>

namespace talvex::win32 {

// Lets the user take the selection out of a single-selection list box, which Windows' list box
// itself does not allow: with Ctrl+click on the selected row, or Ctrl+Space with the focus in it.
void allowDeselect(HWND list);

} // namespace talvex::win32
