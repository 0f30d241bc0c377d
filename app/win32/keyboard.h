#pragma once

#include <windows.h>

namespace talvex::win32 {

// Makes Enter press the owner-drawn push `button` while it has the focus, as Space does.
// IsDialogMessage presses only a focused button that says it is a push button, which an
// owner-drawn one does not, and otherwise sends IDOK to the window, which has no such button.
void pressOnEnter(HWND button);

// Keeps Escape in the multi-line edit control `box` from closing the window: in a window driven by
// IsDialogMessage, the edit control posts WM_CLOSE to its parent on Escape, as in a dialog box.
void keepOpenOnEscape(HWND box);

} // namespace talvex::win32
