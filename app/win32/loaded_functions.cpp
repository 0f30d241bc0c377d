#include "loaded_functions.h"

#include <array>
#include <string>

namespace talvex::win32 {

namespace {

HMODULE systemLibrary(const wchar_t* name) {
    std::array<wchar_t, MAX_PATH> directory{};
    const UINT length = GetSystemDirectoryW(directory.data(), static_cast<UINT>(directory.size()));
    if (length == 0 || length >= directory.size()) {
        return nullptr;
    }
    const std::wstring path = std::wstring(directory.data(), length) + L"\\" + name;
    return LoadLibraryW(path.c_str());
}

template <class Function> Function* procedure(HMODULE library, const char* name) {
    const FARPROC found = library != nullptr ? GetProcAddress(library, name) : nullptr;
    // Through a plain function pointer, the one cast between function types that means nothing.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

} // namespace

const Ole32& ole32() {
    static const HMODULE library = systemLibrary(L"ole32.dll");
    static const Ole32 loaded{procedure<decltype(CoInitializeEx)>(library, "CoInitializeEx"),
                              procedure<decltype(CoUninitialize)>(library, "CoUninitialize")};
    return loaded;
}

const Oleacc& oleacc() {
    static const HMODULE library = systemLibrary(L"oleacc.dll");
    static const Oleacc loaded{
        procedure<decltype(CreateStdAccessibleObject)>(library, "CreateStdAccessibleObject"),
        procedure<decltype(LresultFromObject)>(library, "LresultFromObject")};
    return loaded;
}

const Oleaut32& oleaut32() {
    static const HMODULE library = systemLibrary(L"oleaut32.dll");
    static const Oleaut32 loaded{
        procedure<decltype(SysAllocStringLen)>(library, "SysAllocStringLen"),
        procedure<decltype(SysFreeString)>(library, "SysFreeString")};
    return loaded;
}

bool UiAutomation::available() const {
    return oleaut32().allocate != nullptr && oleaut32().free != nullptr &&
           hostProvider != nullptr && raise != nullptr;
}

const UiAutomation& uiAutomation() {
    static const HMODULE library = systemLibrary(L"uiautomationcore.dll");
    static const UiAutomation loaded{
        procedure<HostProviderFromHwnd>(library, "UiaHostProviderFromHwnd"),
        procedure<RaiseNotificationEvent>(library, "UiaRaiseNotificationEvent")};
    return loaded;
}

const User32& user32() {
    static const HMODULE library = systemLibrary(L"user32.dll");
    static const User32 loaded{procedure<DpiForWindow>(library, "GetDpiForWindow")};
    return loaded;
}

} // namespace talvex::win32
