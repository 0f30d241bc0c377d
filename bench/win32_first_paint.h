#pragma once

#include <windows.h>

namespace talvex::bench {

namespace detail {
inline WNDPROC original = nullptr;

inline LRESULT CALLBACK quitOnFirstPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
    if (message == WM_PAINT) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        // The children still waiting for their first WM_PAINT get it now, before the quit
        // message, which GetMessage would otherwise hand out ahead of their paint messages.
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        PostQuitMessage(0);
    }
    return result;
}
} // namespace detail

// Ends the message loop once `window` and its children have been painted for the first time,
// by subclassing the window until its first WM_PAINT has been handled.
inline void quitAfterFirstPaint(HWND window) {
    detail::original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&detail::quitOnFirstPaint)));
}

} // namespace talvex::bench
