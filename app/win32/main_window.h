#pragma once

#include "pin/random_source.h"

#include <windows.h>

namespace talvex::form {
struct Control;
}

namespace talvex::win32 {

// Creates the window Talvex from its form description, hidden, laid out for the DPI of its screen,
// and again for each screen of another DPI that Windows moves it to.
// The window owns its controls, font and brushes and frees them when it is destroyed; `random`
// must outlive it. Throws std::system_error if Windows refuses to create it.
[[nodiscard]] HWND createMainWindow(HINSTANCE instance, pin::RandomSource& random);

// Dispatches messages until the window is destroyed, moving the focus between controls with the
// keyboard as a dialog does. Returns the program's exit code.
int runMessageLoop(HWND window);

// The child window ID of a control of the form, as GetDlgItem takes it.
[[nodiscard]] int controlId(const form::Control& control);

} // namespace talvex::win32
