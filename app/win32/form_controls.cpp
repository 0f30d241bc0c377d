#include "form_controls.h"

#include "accessibility.h"
#include "app/form.h"
#include "digit_list.h"
#include "keyboard.h"
#include "main_window.h"
#include "text_box.h"
#include "utf16.h"

#include <commctrl.h>
#include <string_view>

namespace talvex::win32 {

namespace {

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass controlClass(const form::Control& control) {
    switch (control.kind) {
    case form::Kind::PushButton:
        // Only an owner-drawn button shows a face colour under every visual style.
        return {WC_BUTTONW,
                static_cast<DWORD>(WS_TABSTOP |
                                   (control.background != nullptr ? BS_OWNERDRAW : BS_PUSHBUTTON)),
                0};
    case form::Kind::ListBox:
        // Rows in stored order, one selected at most, and only whole rows shown.
        return {WC_LISTBOXW, WS_TABSTOP | WS_VSCROLL, WS_EX_CLIENTEDGE};
    case form::Kind::TextBox:
        return {WC_EDITW, WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                WS_EX_CLIENTEDGE};
    case form::Kind::Label:
        return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
    }
    return {};
}

} // namespace

HWND createControl(HWND window, const form::Control& control) {
    const auto [className, style, exStyle] = controlClass(control);
    const HWND child = CreateWindowExW(
        exStyle, className, L"", WS_CHILD | style | (control.visible ? WS_VISIBLE : 0), 0, 0, 0, 0,
        window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(control))),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)), nullptr);
    if (child == nullptr) {
        return nullptr;
    }
    describeToScreenReaders(child, control);
    switch (control.kind) {
    case form::Kind::PushButton:
        pressOnEnter(child);
        break;
    case form::Kind::ListBox:
        allowDeselect(child);
        break;
    case form::Kind::TextBox:
        guardTextBox(child);
        keepOpenOnEscape(child);
        break;
    case form::Kind::Label:
        break;
    }
    return child;
}

void fillControl(HWND child, const form::Control& control) {
    SetWindowTextW(child, widen(control.text).c_str());
    for (const std::string_view row : control.rows) {
        SendMessageW(child, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(row).c_str()));
    }
}

} // namespace talvex::win32
