#include "pin_controls.h"

#include "accessibility.h"
#include "app/form.h"
#include "main_window.h"
#include "utf16.h"

namespace talvex::win32 {

namespace {

HWND controlIn(HWND window, std::string_view array, int index) {
    const form::Control* control = form::find(form::talvex(), array, index);
    return control != nullptr ? GetDlgItem(window, controlId(*control)) : nullptr;
}

} // namespace

void PinControls::findIn(HWND window) {
    for (int list = 0; list < pin::kDigitLists; ++list) {
        lists_.at(static_cast<std::size_t>(list)) = controlIn(window, form::kList1, list);
    }
    output_ = controlIn(window, form::kText1, form::kOutputBox);
}

pin::Row PinControls::listIndex(int list) const {
    // LB_ERR, for no selection, is -1 as well.
    return static_cast<pin::Row>(
        SendMessageW(lists_.at(static_cast<std::size_t>(list)), LB_GETCURSEL, 0, 0));
}

void PinControls::setListIndex(int list, pin::Row row) {
    const HWND handle = lists_.at(static_cast<std::size_t>(list));
    const pin::Row previous = listIndex(list);
    // Also scrolls the row into view; -1 leaves no row selected. The list box says nothing of a
    // selection it did not make itself, and must not take the focus to say it.
    SendMessageW(handle, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    if (row != previous) {
        reportSelection(handle, previous, row);
    }
}

std::string PinControls::outputText() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(output_)), L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(output_, text.data(), static_cast<int>(text.size() + 1))));
    return narrow(text);
}

void PinControls::setOutputText(std::string_view text) {
    SetWindowTextW(output_, widen(text).c_str());
}

} // namespace talvex::win32
