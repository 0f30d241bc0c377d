#include "window_layout.h"

#include "app/form.h"
#include "form_to_win32.h"
#include "loaded_functions.h"
#include "main_window.h"
#include "resources/resource_ids.h"

#include <utility>

namespace talvex::win32 {

namespace {

constexpr UINT kPlace = SWP_NOZORDER | SWP_NOACTIVATE;

void place(HWND control, const form::Rect& rect, int dpi) {
    // Edges rather than sizes are rounded, so that controls the form sets edge to edge stay so.
    const int left = pixels(rect.left, dpi);
    const int top = pixels(rect.top, dpi);
    SetWindowPos(control, nullptr, left, top, pixels(rect.right(), dpi) - left,
                 pixels(rect.bottom(), dpi) - top, kPlace);
}

// Measured rather than worked out for the DPI: Windows scales the frame with the window's DPI,
// Wine draws it at the system's, and the client area must come out the form's on both.
void sizeClientArea(HWND window, int width, int height) {
    RECT frame;
    RECT client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left - client.right + width,
                 frame.bottom - frame.top - client.bottom + height, kPlace | SWP_NOMOVE);
}

// Windows gives a metric for the system's DPI; a window on a screen of another needs it at that.
int metricAt(int metric, int dpi) {
    return MulDiv(GetSystemMetrics(metric), dpi, screenDpi());
}

// Windows takes the picture of that size from those the icon holds, and scales one only where
// it holds none.
Icon loadIcon(HWND window, int metric, int dpi) {
    auto* const instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    const int side = metricAt(metric, dpi);
    return Icon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(TALVEX_ICON), IMAGE_ICON,
                                              side, side, LR_DEFAULTCOLOR)));
}

} // namespace

bool WindowLayout::apply(HWND window, int dpi, const RECT* suggested) {
    const form::Window& form = form::talvex();
    Font font(createFont(form.font, dpi));
    if (!font) {
        return false;
    }
    // The font before the places: a list box cuts itself to whole rows, its top in place, when its
    // size changes, counting them in the font it has then. A new DPI changes every control's size.
    for (const form::Control& control : form.controls) {
        SendMessageW(GetDlgItem(window, controlId(control)), WM_SETFONT,
                     reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    font_ = std::move(font);
    dpi_ = dpi;
    for (const form::Control& control : form.controls) {
        place(GetDlgItem(window, controlId(control)), control.rect, dpi);
    }

    if (suggested != nullptr) {
        // Where Windows suggests: it has worked out a place on the new screen that keeps the
        // window there, rather than send it back to the one it came from.
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     kPlace);
    }
    sizeClientArea(window, pixels(form.clientWidth, dpi), pixels(form.clientHeight, dpi));

    // The title bar's icon and the one Alt+Tab shows, each drawn for its size at this DPI.
    Icon small = loadIcon(window, SM_CXSMICON, dpi);
    Icon big = loadIcon(window, SM_CXICON, dpi);
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    smallIcon_ = std::move(small);
    bigIcon_ = std::move(big);
    return true;
}

int dpiOf(HWND window) {
    DpiForWindow* const dpiForWindow = user32().dpiForWindow;
    const UINT dpi = dpiForWindow != nullptr ? dpiForWindow(window) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : screenDpi();
}

} // namespace talvex::win32
