#include "app/win32/main_window.h"
#include "bench/win32_first_paint.h"
#include "pin/system_random.h"

#include <windows.h>
// windows.h first: commctrl.h relies on its types.
#include <commctrl.h>

// Talvex.exe's start-up as app/win32/main.cpp does it, ended after the window's first paint.
// mingw-w64 declares the entry point with its own parameter names.
// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    talvex::pin::SystemRandom random;
    const HWND window = talvex::win32::createMainWindow(instance, random);
    talvex::bench::quitAfterFirstPaint(window);
    ShowWindow(window, show);
    return talvex::win32::runMessageLoop(window);
}
