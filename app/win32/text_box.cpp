#include "text_box.h"

#include "app/form.h"
#include "app/text_capacity.h"

#include <commctrl.h>
#include <cstddef>
#include <cwchar>
#include <string>
#include <string_view>

namespace talvex::win32 {

namespace {

// The clipboard's text up to its first NUL, which another program may have left out: never
// read past the memory the clipboard holds. Empty if it holds no text.
std::wstring clipboardText(HWND owner) {
    std::wstring text;
    if (IsClipboardFormatAvailable(CF_UNICODETEXT) == FALSE || OpenClipboard(owner) == FALSE) {
        return text;
    }
    const HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    const auto* units =
        memory != nullptr ? static_cast<const wchar_t*>(GlobalLock(memory)) : nullptr;
    if (units != nullptr) {
        text.assign(units, wcsnlen(units, GlobalSize(memory) / sizeof(wchar_t)));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return text;
}

// Every line break as CR LF, which is the only one that an edit control breaks lines at on
// every system; a lone CR or LF counts as one line break.
std::wstring withCrLf(std::wstring_view text) {
    std::wstring result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == L'\r' || text[at] == L'\n') {
            result += L"\r\n";
            if (text[at] == L'\r' && at + 1 < text.size() && text[at + 1] == L'\n') {
                ++at;
            }
        } else {
            result += text[at];
        }
    }
    return result;
}

// How many units the user may still put in place of the selection.
std::size_t roomLeft(HWND box) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto limit = static_cast<std::size_t>(SendMessageW(box, EM_GETLIMITTEXT, 0, 0));
    // A text set by the program may already be longer than the limit, which binds only the user.
    const std::size_t kept = static_cast<std::size_t>(GetWindowTextLengthW(box)) - (end - start);
    return kept < limit ? limit - kept : 0;
}

// The unit just before the selection, or NUL at the start.
wchar_t unitBeforeSelection(HWND box) {
    DWORD start = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    if (start == 0) {
        return L'\0';
    }
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)), L'\0');
    GetWindowTextW(box, text.data(), static_cast<int>(text.size() + 1));
    return start <= text.size() ? text[start - 1] : L'\0';
}

// Typed into the last unit, Enter or a character beyond the Basic Multilingual Plane would
// leave half of itself: a CR without its LF, a surrogate without its pair.
bool typesHalfACharacter(HWND box, wchar_t typed) {
    if (typed == L'\r' || IS_HIGH_SURROGATE(typed)) {
        return roomLeft(box) < 2;
    }
    // The second half of a pair whose first half was refused.
    return IS_LOW_SURROGATE(typed) && !IS_HIGH_SURROGATE(unitBeforeSelection(box));
}

void pasteWhatFits(HWND box) {
    std::wstring text = withCrLf(clipboardText(box));
    text.resize(form::fittingLength(std::wstring_view(text), roomLeft(box)));
    if (!text.empty()) {
        SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

LRESULT CALLBACK pasteWithinCapacity(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    switch (message) {
    case WM_PASTE:
        pasteWhatFits(box);
        return 0;
    case WM_CHAR:
        if (typesHalfACharacter(box, static_cast<wchar_t>(wParam))) {
            MessageBeep(MB_OK);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        // Wine's edit control pastes on Shift+Insert by itself, without a WM_PASTE.
        if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0) {
            pasteWhatFits(box);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, pasteWithinCapacity, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

} // namespace

void keepWithinCapacity(HWND box) {
    SendMessageW(box, EM_SETLIMITTEXT, static_cast<WPARAM>(form::kTextBoxCapacity), 0);
    SetWindowSubclass(box, pasteWithinCapacity, 0, 0);
}

} // namespace talvex::win32
