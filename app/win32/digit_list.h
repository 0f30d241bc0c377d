#pragma once

#include <windows.h>

namespace talvex::win32 {

// Lets the user take the selection out of a single-selection list box with Ctrl+click on the
// selected row, which Windows' list box itself does not allow.
void allowDeselectByCtrlClick(HWND list);

} // namespace talvex::win32
