#include "digit_list.h"

#include "accessibility.h"

#include <commctrl.h>

namespace talvex::win32 {

namespace {

void deselect(HWND list) {
    const auto previous = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    reportSelection(list, previous, -1);
}

bool ctrlDown() {
    return GetKeyState(VK_CONTROL) < 0;
}

LRESULT CALLBACK deselectOnCtrl(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    if (message == WM_LBUTTONDOWN && (wParam & MK_CONTROL) != 0) {
        // Low word: the row under the point; high word set: below the last row.
        const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
        if (HIWORD(hit) == 0 && LOWORD(hit) == SendMessageW(list, LB_GETCURSEL, 0, 0)) {
            SetFocus(list);
            deselect(list);
            return 0;
        }
    }
    if (message == WM_KEYDOWN && wParam == VK_SPACE && ctrlDown()) {
        deselect(list);
        return 0;
    }
    // The space that TranslateMessage makes of the key would otherwise go on to the list's
    // search by first letter.
    if (message == WM_CHAR && wParam == L' ' && ctrlDown()) {
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, deselectOnCtrl, 0);
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

} // namespace

void allowDeselect(HWND list) {
    SetWindowSubclass(list, deselectOnCtrl, 0, 0);
}

} // namespace talvex::win32
