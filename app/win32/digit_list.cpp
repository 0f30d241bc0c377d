#include "digit_list.h"

#include <commctrl.h>

namespace talvex::win32 {

namespace {

LRESULT CALLBACK deselectOnCtrlClick(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    if (message == WM_LBUTTONDOWN && (wParam & MK_CONTROL) != 0) {
        // Low word: the row under the point; high word set: below the last row.
        const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
        if (HIWORD(hit) == 0 && LOWORD(hit) == SendMessageW(list, LB_GETCURSEL, 0, 0)) {
            SetFocus(list);
            SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            return 0;
        }
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, deselectOnCtrlClick, 0);
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

} // namespace

void allowDeselectByCtrlClick(HWND list) {
    SetWindowSubclass(list, deselectOnCtrlClick, 0, 0);
}

} // namespace talvex::win32
