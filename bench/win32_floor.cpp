#include "app/form.h"
#include "app/win32/form_to_win32.h"
#include "app/win32/utf16.h"
#include "bench/win32_first_paint.h"

#include <string>
#include <windows.h>

// The least Win32 window to measure Talvex.exe's start-up against: a bare window of Talvex's
// client size, style and caption that draws one line of text, its title's, in its font.

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct Floor {
    HFONT font;
    std::wstring text;
};

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto& create = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create.lpCreateParams));
    } else if (message == WM_PAINT) {
        const auto& floor =
            *reinterpret_cast<const Floor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        const HGDIOBJ previous = SelectObject(dc, floor.font);
        TextOutW(dc, 0, 0, floor.text.c_str(), static_cast<int>(floor.text.size()));
        SelectObject(dc, previous);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

// mingw-w64 declares the entry point with its own parameter names.
// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    const talvex::form::Window& form = talvex::form::talvex();
    const int dpi = talvex::win32::screenDpi();
    Floor floor{talvex::win32::createFont(form.font, dpi),
                talvex::win32::widen(talvex::form::find(form, talvex::form::kLabel1, 0)->text)};

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"Floor";
    RegisterClassExW(&windowClass);

    RECT frame{0, 0, talvex::win32::pixels(form.clientWidth, dpi),
               talvex::win32::pixels(form.clientHeight, dpi)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    const HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, talvex::win32::widen(form.caption).c_str(),
                        kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, instance, &floor);
    talvex::bench::quitAfterFirstPaint(window);
    ShowWindow(window, show);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(floor.font);
    return static_cast<int>(message.wParam);
}
