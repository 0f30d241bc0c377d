// A stand-in for uiautomationcore.dll that records the notifications raised through it, for the
// tests under Wine, whose own DLL has no UiaRaiseNotificationEvent. The window's tests put it
// in a Wine prefix of their own, in place of Wine's, and read back what the window raised.

#include "tests/win32/recorded_notification.h"

#include <array>
#include <cwchar>
#include <unknwn.h>

namespace {

// The provider of one window: all that the notification needs of it is to be passed back.
class Provider final : public IUnknown {
public:
    explicit Provider(HWND window)
        : window_(window) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown ? this : nullptr;
        if (*object == nullptr) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    [[nodiscard]] HWND window() const { return window_; }

private:
    ~Provider() = default;

    HWND window_;
    ULONG references_ = 1;
};

std::array<talvex::test::RecordedNotification, 16> recorded{};
int count = 0;

template <std::size_t room> void copy(std::array<wchar_t, room>& to, const wchar_t* from) {
    std::wcsncpy(to.data(), from != nullptr ? from : L"", room - 1);
    to.back() = L'\0';
}

} // namespace

extern "C" {

__declspec(dllexport) HRESULT WINAPI UiaHostProviderFromHwnd(HWND window, IUnknown** provider) {
    *provider = IsWindow(window) != FALSE ? new Provider(window) : nullptr;
    return *provider != nullptr ? S_OK : E_INVALIDARG;
}

__declspec(dllexport) HRESULT WINAPI
    UiaRaiseNotificationEvent(IUnknown* provider, int kind, int processing, const OLECHAR* text,
                              const OLECHAR* activity) {
    if (provider == nullptr || count == static_cast<int>(recorded.size())) {
        return E_INVALIDARG;
    }
    talvex::test::RecordedNotification& notification = recorded.at(count++);
    notification.source = static_cast<Provider*>(provider)->window();
    notification.kind = kind;
    notification.processing = processing;
    copy(notification.text, text);
    copy(notification.activity, activity);
    return S_OK;
}

__declspec(dllexport) const talvex::test::RecordedNotification* recordedNotifications(int* many) {
    *many = count;
    return recorded.data();
}
}
