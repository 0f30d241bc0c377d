#pragma once

// What the Win32 tests ask of windows and of the files beside them, in-process or not.

#include <array>
#include <string>
#include <windows.h>
// windows.h first: oleacc.h relies on its types.
#include <oleacc.h>

namespace talvex::test {

// WM_GETTEXT, which also reaches into another process's controls; GetWindowText would not.
inline std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)),
                      L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

inline std::wstring classOf(HWND window) {
    std::array<wchar_t, 64> name{};
    const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return {name.data(), static_cast<std::size_t>(length)};
}

// Talvex.exe, which the build puts next to the test program.
inline std::wstring talvexExe() {
    std::array<wchar_t, MAX_PATH> path{};
    GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring exe(path.data());
    return exe.replace(exe.find_last_of(L"\\/") + 1, std::wstring::npos, L"Talvex.exe");
}

// The control's own MSAA object, as a screen reader asks for it.
struct Described {
    std::wstring name;
    long role = 0;
    std::wstring value;
};

inline Described describedAs(HWND control) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          IID_IAccessible,
                                          reinterpret_cast<void**>(&accessible)))) {
        return {};
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Described described;
    BSTR text = nullptr;
    if (accessible->get_accName(self, &text) == S_OK) {
        described.name.assign(text, SysStringLen(text));
    }
    SysFreeString(text);
    text = nullptr;
    if (accessible->get_accValue(self, &text) == S_OK) {
        described.value.assign(text, SysStringLen(text));
    }
    SysFreeString(text);
    VARIANT role{};
    if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4) {
        described.role = role.lVal;
    }
    accessible->Release();
    return described;
}

} // namespace talvex::test
