#include "accessibility.h"
#include "app/form.h"
#include "main_window.h"
#include "pin/system_random.h"
#include "utf16.h"

#include <cstdlib>
#include <exception>
#include <windows.h>
// windows.h first: commctrl.h relies on its types.
#include <commctrl.h>

// mingw-w64 declares the entry point with its own parameter names.
// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
    // Loads version 6 of the common controls, which the manifest asks for.
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    const talvex::win32::ComApartment com;
    try {
        talvex::pin::SystemRandom random;
        const HWND window = talvex::win32::createMainWindow(instance, random);
        ShowWindow(window, show);
        return talvex::win32::runMessageLoop(window);
    } catch (const std::exception& error) {
        MessageBoxW(nullptr, talvex::win32::widen(error.what()).c_str(),
                    talvex::win32::widen(talvex::form::talvex().name).c_str(),
                    MB_OK | MB_ICONERROR);
        return EXIT_FAILURE;
    }
}
