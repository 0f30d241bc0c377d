#include "accessibility.h"

#include "app/form.h"
#include "loaded_functions.h"
#include "utf16.h"

#include <new>
// windows.h first: commctrl.h relies on its types.
#include <commctrl.h>

namespace talvex::win32 {

namespace {

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

long roleOf(form::Kind kind) {
    switch (kind) {
    case form::Kind::PushButton:
        return ROLE_SYSTEM_PUSHBUTTON;
    case form::Kind::ListBox:
        return ROLE_SYSTEM_LIST;
    case form::Kind::TextBox:
        return ROLE_SYSTEM_TEXT;
    case form::Kind::Label:
        return ROLE_SYSTEM_STATICTEXT;
    }
    return ROLE_SYSTEM_CLIENT;
}

// The system's own object for a control, with the name and role of the control in the form.
// Everything else, the rows of a list, the text of a box, states, places, comes from the system.
class DescribedControl final : public IAccessible {
public:
    DescribedControl(IAccessible* standard, const form::Control& description)
        : standard_(standard)
        , name_(widen(description.accessibleName.empty() ? description.text
                                                         : description.accessibleName))
        , role_(roleOf(description.kind)) {}
    ~DescribedControl() { standard_->Release(); }
    DescribedControl(const DescribedControl&) = delete;
    DescribedControl& operator=(const DescribedControl&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, IID_IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The list of children and the window behind them stay the system's. Anything more,
        // IAccessibleEx through a service provider among them, would bypass the name given here.
        if (IsEqualIID(iid, IID_IEnumVARIANT) || IsEqualIID(iid, IID_IOleWindow)) {
            return standard_->QueryInterface(iid, object);
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        return standard_->Invoke(member, iid, locale, flags, parameters, result, exception,
                                 argument);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!isSelf(child) || name_.empty()) {
            return standard_->get_accName(child, name);
        }
        if (name == nullptr) {
            return E_POINTER;
        }
        if (oleaut32().allocate == nullptr) {
            return standard_->get_accName(child, name);
        }
        *name = oleaut32().allocate(name_.c_str(), static_cast<UINT>(name_.size()));
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!isSelf(child)) {
            return standard_->get_accRole(child, role);
        }
        if (role == nullptr) {
            return E_POINTER;
        }
        role->vt = VT_I4;
        role->lVal = role_;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    IAccessible* standard_;
    std::wstring name_;
    long role_;
    LONG references_ = 1;
};

// Answers a screen reader's WM_GETOBJECT for the control itself. Windows' own ways to name a
// control, a preceding label or an annotation through IAccPropServices, are no good here: the
// window has one label, for its title, and Wine ignores annotations.
LRESULT CALLBACK answerGetObject(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR /*id*/, DWORD_PTR data) {
    // The object ID comes as a DWORD, sign-extended or not depending on the caller.
    if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) {
        const Oleacc& library = oleacc();
        IAccessible* standard = nullptr;
        if (library.standardObject != nullptr && library.result != nullptr &&
            SUCCEEDED(library.standardObject(control, OBJID_CLIENT, IID_IAccessible,
                                             reinterpret_cast<void**>(&standard)))) {
            auto* described = new (std::nothrow)
                DescribedControl(standard, *reinterpret_cast<const form::Control*>(data));
            if (described == nullptr) {
                standard->Release();
            } else {
                const LRESULT result = library.result(IID_IAccessible, wParam, described);
                described->Release();
                if (result > 0) {
                    return result;
                }
            }
        }
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, answerGetObject, 0);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

ComApartment::ComApartment()
    : initialized_(ole32().initialize != nullptr && ole32().uninitialize != nullptr &&
                   SUCCEEDED(ole32().initialize(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment() {
    if (initialized_) {
        ole32().uninitialize();
    }
}

void describeToScreenReaders(HWND control, const form::Control& description) {
    SetWindowSubclass(control, answerGetObject, 0, reinterpret_cast<DWORD_PTR>(&description));
}

void reportSelection(HWND list, int previous, int row) {
    // A list's rows are its children, numbered from 1.
    if (row >= 0) {
        NotifyWinEvent(EVENT_OBJECT_SELECTION, list, OBJID_CLIENT, row + 1);
    } else if (previous >= 0) {
        NotifyWinEvent(EVENT_OBJECT_SELECTIONREMOVE, list, OBJID_CLIENT, previous + 1);
    }
}

void reportNewText(HWND box) {
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, box, OBJID_CLIENT, CHILDID_SELF);
}

void announce(HWND source, std::wstring_view text) {
    const UiAutomation& automation = uiAutomation();
    if (!automation.available()) {
        return;
    }
    IUnknown* provider = nullptr;
    if (FAILED(automation.hostProvider(source, &provider)) || provider == nullptr) {
        return;
    }
    constexpr std::wstring_view kActivity = L"Talvex.Outcome";
    const Oleaut32& strings = oleaut32();
    const BSTR said = strings.allocate(text.data(), static_cast<UINT>(text.size()));
    const BSTR activity = strings.allocate(kActivity.data(), static_cast<UINT>(kActivity.size()));
    if (said != nullptr && activity != nullptr) {
        automation.raise(provider, kNotificationActionCompleted, kNotificationImportantMostRecent,
                         said, activity);
    }
    strings.free(said);
    strings.free(activity);
    provider->Release();
}

bool highContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != FALSE &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace talvex::win32
