#pragma once

#include "owned_handles.h"

#include <windows.h>

namespace talvex::win32 {

// The window and its controls placed for a DPI, from the form's twips: the client area, every
// control's rectangle, the one font they share, the lists at whole rows, and the window's icons.
// Applied as the window is created and again whenever Windows moves it to a screen of another
// DPI, so that at any DPI it is what it would have been had it started there.
class WindowLayout {
public:
    // Lays `window`, its controls created, out for `dpi`: where it stands, or, on a move to a
    // screen of another DPI, from the rectangle Windows suggests for it. False, with nothing
    // changed, where Windows gives no font.
    [[nodiscard]] bool apply(HWND window, int dpi, const RECT* suggested);

    [[nodiscard]] int dpi() const { return dpi_; }
    [[nodiscard]] HFONT font() const { return font_.get(); }

private:
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    Font font_;
    Icon smallIcon_;
    Icon bigIcon_;
};

// The DPI of the screen `window` is on, where Windows tells it for each screen (Windows 10
// version 1607 and later); elsewhere the one DPI of every screen.
[[nodiscard]] int dpiOf(HWND window);

} // namespace talvex::win32
