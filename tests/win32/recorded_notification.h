#pragma once

#include <array>
#include <windows.h>

namespace talvex::test {

// A UI Automation notification as the recording stand-in for uiautomationcore.dll took it: the
// window whose provider raised it, and what it was raised with.
struct RecordedNotification {
    HWND source;
    int kind;
    int processing;
    std::array<wchar_t, 256> text;
    std::array<wchar_t, 64> activity;
};

// The stand-in's export "recordedNotifications": those raised so far, oldest first.
using RecordedNotifications = const RecordedNotification* (*)(int* count);

} // namespace talvex::test
