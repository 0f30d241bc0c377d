// Tells the running Talvex.exe that Windows has moved its window to a screen of another DPI, as
// Windows itself does, for the README's screenshots: Wine has one DPI for every screen and never
// says so itself. Usage: talvex-dpi-change DPI

#include "app/form.h"
#include "app/win32/utf16.h"

#include <cstdio>
#include <cwchar>
#include <windows.h>

// mingw-w64 declares the entry point with its own parameter names.
// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
int wmain(int argc, wchar_t** argv) {
    const int dpi = argc == 2 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 0;
    if (dpi <= 0) {
        std::fputs("usage: talvex-dpi-change DPI\n", stderr);
        return 2;
    }
    const talvex::form::Window& form = talvex::form::talvex();
    const HWND window = FindWindowW(talvex::win32::widen(form.name).c_str(), nullptr);
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
    if (window == nullptr || process == nullptr) {
        std::fputs("talvex-dpi-change: no Talvex window to tell\n", stderr);
        return 1;
    }
    // Suggested as Windows does: the frame scaled from the DPI the client area is laid out for.
    RECT frame;
    RECT client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    const int from = MulDiv(client.right, talvex::form::kTwipsPerInch, form.clientWidth);
    const RECT suggested{frame.left, frame.top,
                         frame.left + MulDiv(frame.right - frame.left, dpi, from),
                         frame.top + MulDiv(frame.bottom - frame.top, dpi, from)};
    // The message carries a pointer, which must point into the window's own process.
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    const bool told =
        remote != nullptr &&
        WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr) != FALSE &&
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(remote)) == 0;
    if (remote != nullptr) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return told ? 0 : 1;
}
