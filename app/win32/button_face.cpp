#include "button_face.h"

#include <string>

namespace talvex::win32 {

void drawButtonFace(const DRAWITEMSTRUCT& item, HBRUSH face, COLORREF text, HFONT font, int dpi) {
    const HDC dc = item.hDC;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    RECT rect = item.rcItem;

    FillRect(dc, &rect, face);
    DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)), L'\0');
    GetWindowTextW(item.hwndItem, caption.data(), static_cast<int>(caption.size() + 1));
    RECT textRect = rect;
    if (pressed) {
        OffsetRect(&textRect, 1, 1);
    }
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);

    // Windows hides focus rectangles until the keyboard is used, and says so per item.
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        constexpr int kFocusInset = 4;
        const int inset = MulDiv(kFocusInset, dpi, USER_DEFAULT_SCREEN_DPI);
        InflateRect(&rect, -inset, -inset);
        DrawFocusRect(dc, &rect);
    }
}

} // namespace talvex::win32
