#pragma once

#include <string>
#include <string_view>
#include <windows.h>

namespace talvex::form {
struct Control;
}

namespace talvex::win32 {

// COM for the calling thread, as long as it lives: the objects through which screen readers read
// the controls are COM objects, handed out on this thread. Without it they read what Windows
// guesses.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

// Gives `control`, made for the form's `description`, the name and role screen readers read:
// its accessible name or caption, where Windows would name a list after nothing and the output
// box after the text it holds.
void describeToScreenReaders(HWND control, const form::Control& description);

// Tells screen readers that the program has selected `row` in `list`, where `previous` was
// selected (-1: none), without moving the focus.
void reportSelection(HWND list, int previous, int row);

// Tells screen readers that the program has replaced the text of `box`.
void reportNewText(HWND box);

// Has screen readers that listen to UI Automation say `text`, as coming from `source`, where
// Windows offers it (Windows 10 version 1709 and later); elsewhere does nothing.
void announce(HWND source, std::wstring_view text);

// Whether Windows' high-contrast mode is on, in which the window takes the system's colours.
[[nodiscard]] bool highContrast();

} // namespace talvex::win32
