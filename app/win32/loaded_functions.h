#pragma once

// What Talvex.exe takes from Windows' DLLs at run time rather than importing it: functions newer
// than the oldest Windows it runs on, and DLLs that are missing or stubbed on some systems. Each
// is looked up once, when first needed, in DLLs from the system directory only; a function the
// system lacks is null, and the program does without it. So Talvex.exe starts on every Windows
// it is made for, merely less well described or less sharp where these are missing.

#include <objbase.h>
#include <oleacc.h>
#include <oleauto.h>
#include <windows.h>

namespace talvex::win32 {

struct Ole32 {
    decltype(&CoInitializeEx) initialize;
    decltype(&CoUninitialize) uninitialize;
};
[[nodiscard]] const Ole32& ole32();

struct Oleacc {
    decltype(&CreateStdAccessibleObject) standardObject;
    decltype(&LresultFromObject) result;
};
[[nodiscard]] const Oleacc& oleacc();

struct Oleaut32 {
    decltype(&SysAllocStringLen) allocate;
    decltype(&SysFreeString) free;
};
[[nodiscard]] const Oleaut32& oleaut32();

// UI Automation's notification, which Windows 10 version 1709 brought and mingw-w64's headers do
// not declare yet; the values are those of the NotificationKind and NotificationProcessing
// enumerations.
using HostProviderFromHwnd = HRESULT WINAPI(HWND, IUnknown**);
using RaiseNotificationEvent = HRESULT WINAPI(IUnknown*, int kind, int processing, BSTR text,
                                              BSTR activity);
inline constexpr int kNotificationActionCompleted = 2;
inline constexpr int kNotificationImportantMostRecent = 1;

struct UiAutomation {
    HostProviderFromHwnd* hostProvider;
    RaiseNotificationEvent* raise;
    // Whether notifications can be raised: these and the strings they take.
    [[nodiscard]] bool available() const;
};
[[nodiscard]] const UiAutomation& uiAutomation();

// Windows 10 version 1607's DPI of each screen, which the headers for older Windows hide.
using DpiForWindow = UINT WINAPI(HWND);

struct User32 {
    DpiForWindow* dpiForWindow;
};
[[nodiscard]] const User32& user32();

} // namespace talvex::win32
