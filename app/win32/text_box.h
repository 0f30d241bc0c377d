#pragma once

#include <windows.h>

namespace talvex::win32 {

// Makes the multi-line edit control `box` hold at most form::kTextBoxCapacity UTF-16 units, and
// paste only as much of the clipboard's text as then fits, with its line breaks made CR LF and
// cut neither inside a character nor inside a line break. The edit control's own paste would cut
// anywhere, and show a lone CR or LF as no line break or as one, depending on the system.
// What the user copies or cuts out of it is marked as a secret for the clipboard.
void guardTextBox(HWND box);

} // namespace talvex::win32
