#include "keyboard.h"

#include <commctrl.h>

namespace talvex::win32 {

namespace {

bool isKey(const MSG* message, WPARAM key) {
    return message != nullptr && message->message == WM_KEYDOWN && message->wParam == key;
}

LRESULT CALLBACK pressButtonOnEnter(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    // Asked with the key about to be handled: taking it here keeps IsDialogMessage from it.
    if (message == WM_GETDLGCODE && isKey(reinterpret_cast<const MSG*>(lParam), VK_RETURN)) {
        return DefSubclassProc(button, message, wParam, lParam) | DLGC_WANTMESSAGE;
    }
    // Once per press: a held Enter repeats its key-down, which would press again and again.
    constexpr LPARAM kRepeat = 1 << 30;
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        if ((lParam & kRepeat) == 0) {
            SendMessageW(GetParent(button), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        }
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(button, pressButtonOnEnter, 0);
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

LRESULT CALLBACK swallowEscape(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    // Wine's edit control closes on the key; its character is held back as well, so that no
    // edit control closes on either.
    if ((message == WM_KEYDOWN && wParam == VK_ESCAPE) ||
        (message == WM_CHAR && wParam == VK_ESCAPE)) {
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(box, swallowEscape, 0);
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

} // namespace

void pressOnEnter(HWND button) {
    SetWindowSubclass(button, pressButtonOnEnter, 0, 0);
}

void keepOpenOnEscape(HWND box) {
    SetWindowSubclass(box, swallowEscape, 0, 0);
}

} // namespace talvex::win32
