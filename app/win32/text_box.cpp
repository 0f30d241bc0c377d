#include "text_box.h"

#include "app/form.h"
#include "app/text_capacity.h"

#include <commctrl.h>
#include <cstddef>
#include <cstring>
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

struct Selection {
    DWORD start = 0;
    DWORD end = 0;
};

Selection selectionOf(HWND box) {
    Selection selection;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&selection.start),
                 reinterpret_cast<LPARAM>(&selection.end));
    return selection;
}

std::wstring textOf(HWND box) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)), L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(box, text.data(), static_cast<int>(text.size() + 1))));
    return text;
}

// How many units the user may still put in place of the selection.
std::size_t roomLeft(HWND box) {
    const auto [start, end] = selectionOf(box);
    const auto limit = static_cast<std::size_t>(SendMessageW(box, EM_GETLIMITTEXT, 0, 0));
    // A text set by the program may already be longer than the limit, which binds only the user.
    const std::size_t kept = static_cast<std::size_t>(GetWindowTextLengthW(box)) - (end - start);
    return kept < limit ? limit - kept : 0;
}

// The unit just before the selection, or NUL at the start.
wchar_t unitBeforeSelection(HWND box) {
    const DWORD start = selectionOf(box).start;
    const std::wstring text = start > 0 ? textOf(box) : std::wstring();
    return start > 0 && start <= text.size() ? text[start - 1] : L'\0';
}

// Hands the clipboard `size` bytes from `data` in `format`; false if it would not take them.
bool putOnClipboard(UINT format, const void* data, std::size_t size) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* bytes = memory != nullptr ? GlobalLock(memory) : nullptr;
    if (bytes == nullptr) {
        return false;
    }
    std::memcpy(bytes, data, size);
    GlobalUnlock(memory);
    if (SetClipboardData(format, memory) == nullptr) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

// Copies the selection as the edit control would, but marked, in the same opening of the
// clipboard, as data that Windows' clipboard history, its cloud clipboard and clipboard monitors
// leave alone: whatever leaves the box may be a PIN. False where nothing was copied.
bool copySecretly(HWND box) {
    const auto [start, end] = selectionOf(box);
    if (start >= end || OpenClipboard(box) == FALSE) {
        return false;
    }
    const std::wstring selected = textOf(box).substr(start, end - start);
    constexpr DWORD kNo = 0;
    bool copied =
        EmptyClipboard() != FALSE &&
        putOnClipboard(CF_UNICODETEXT, selected.c_str(), (selected.size() + 1) * sizeof(wchar_t));
    for (const wchar_t* format : {L"ExcludeClipboardContentFromMonitorProcessing",
                                  L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
        copied = copied && putOnClipboard(RegisterClipboardFormatW(format), &kNo, sizeof kNo);
    }
    if (!copied) {
        // Half marked is worse than nothing.
        EmptyClipboard();
    }
    CloseClipboard();
    return copied;
}

void cutSecretly(HWND box) {
    if (copySecretly(box)) {
        SendMessageW(box, WM_CLEAR, 0, 0);
    }
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

LRESULT CALLBACK guardedTextBox(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
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
    case WM_COPY:
        copySecretly(box);
        return 0;
    case WM_CUT:
        cutSecretly(box);
        return 0;
    case WM_KEYDOWN:
        // Wine's edit control pastes on Shift+Insert, copies on Ctrl+Insert and cuts on
        // Shift+Delete by itself, without a WM_PASTE, WM_COPY or WM_CUT.
        if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0) {
            pasteWhatFits(box);
            return 0;
        }
        if (wParam == VK_INSERT && GetKeyState(VK_CONTROL) < 0) {
            copySecretly(box);
            return 0;
        }
        if (wParam == VK_DELETE && GetKeyState(VK_SHIFT) < 0) {
            cutSecretly(box);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, guardedTextBox, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

} // namespace

void guardTextBox(HWND box) {
    SendMessageW(box, EM_SETLIMITTEXT, static_cast<WPARAM>(form::kTextBoxCapacity), 0);
    SetWindowSubclass(box, guardedTextBox, 0, 0);
}

} // namespace talvex::win32
