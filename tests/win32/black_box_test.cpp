// Talvex.exe started as a program of its own and driven as any other program could drive it:
// found by its caption, its controls enumerated, and nothing but ordinary window messages.

#include "app/form.h"
#include "app/win32/utf16.h"
#include "tests/win32/window_queries.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace talvex::win32 {
namespace {

constexpr DWORD kPatience = 10'000; // milliseconds

class RunningTalvex {
public:
    RunningTalvex() {
        const std::wstring exe = test::talvexExe();
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process_) == FALSE) {
            return;
        }
        WaitForInputIdle(process_.hProcess, kPatience);
        const std::wstring caption = widen(form::talvex().caption);
        // FindWindow finds the window from its creation on, before it and its children show;
        // a slow machine is asked about them in between.
        for (DWORD waited = 0; waited < kPatience; waited += 50) {
            window = FindWindowW(nullptr, caption.c_str());
            if (window != nullptr && IsWindowVisible(window) != FALSE) {
                break;
            }
            Sleep(50);
        }
    }

    ~RunningTalvex() {
        if (process_.hProcess == nullptr) {
            return;
        }
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 1);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    RunningTalvex(const RunningTalvex&) = delete;
    RunningTalvex& operator=(const RunningTalvex&) = delete;

    // Closes the window as its close box does; the exit code, or -1 if the program hangs on.
    [[nodiscard]] int close() const {
        SendMessageW(window, WM_CLOSE, 0, 0);
        DWORD code = 0;
        return WaitForSingleObject(process_.hProcess, kPatience) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process_.hProcess, &code) != FALSE
                   ? static_cast<int>(code)
                   : -1;
    }

    HWND window = nullptr;

private:
    PROCESS_INFORMATION process_{};
};

BOOL CALLBACK collect(HWND child, LPARAM into) {
    reinterpret_cast<std::vector<HWND>*>(into)->push_back(child);
    return TRUE;
}

std::vector<HWND> children(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST(TalvexExe, AnswersAnotherProgramsMessages) {
    RunningTalvex talvex;
    ASSERT_NE(talvex.window, nullptr) << "no window with Talvex's caption";

    std::vector<HWND> lists;
    std::vector<HWND> visibleEdits;
    std::vector<HWND> hiddenEdits;
    HWND choose = nullptr;
    HWND clear = nullptr;
    for (const HWND child : children(talvex.window)) {
        const std::wstring kind = test::classOf(child);
        if (kind == L"ListBox") {
            lists.push_back(child);
        } else if (kind == L"Edit") {
            (IsWindowVisible(child) != FALSE ? visibleEdits : hiddenEdits).push_back(child);
        } else if (kind == L"Button") {
            (test::textOf(child) == L"Избор" ? choose : clear) = child;
        }
    }
    ASSERT_EQ(lists.size(), 4U);
    ASSERT_EQ(visibleEdits.size(), 1U);
    ASSERT_EQ(hiddenEdits.size(), 1U);
    ASSERT_NE(choose, nullptr);
    ASSERT_EQ(test::textOf(clear), L"Почисти");
    const HWND output = visibleEdits.front();
    const auto left = [](HWND window) {
        RECT rect;
        GetWindowRect(window, &rect);
        return rect.left;
    };
    std::ranges::sort(lists, {}, left);

    // A screen reader asks from a process of its own, as this test does.
    const form::Window& form = form::talvex();
    EXPECT_EQ(test::describedAs(output).name,
              widen(form::find(form, form::kText1, 0)->accessibleName));
    for (std::size_t list = 0; list < lists.size(); ++list) {
        EXPECT_EQ(test::describedAs(lists[list]).name,
                  widen(form::find(form, form::kList1, static_cast<int>(list))->accessibleName));
    }

    EXPECT_EQ(test::textOf(output).size(), 703U);
    EXPECT_EQ(test::textOf(output).substr(0, 3), L"PIN");
    const std::wstring quotation = test::textOf(hiddenEdits.front());
    EXPECT_EQ(quotation.size(), 114U);

    SendMessageW(lists[1], LB_SETCURSEL, 7, 0);
    SendMessageW(choose, BM_CLICK, 0, 0);
    const std::wstring pin = test::textOf(output);
    const std::wstring header = L"Генериран нов PIN код:\r\n";
    ASSERT_EQ(pin.size(), header.size() + 6) << narrow(pin);
    EXPECT_EQ(pin.substr(0, header.size()), header);
    EXPECT_EQ(pin.substr(header.size() + 4), L"\r\n");
    for (std::size_t list = 0; list < lists.size(); ++list) {
        const wchar_t digit = pin[header.size() + list];
        ASSERT_TRUE(digit >= L'0' && digit <= L'9') << narrow(pin);
        EXPECT_EQ(SendMessageW(lists[list], LB_GETCURSEL, 0, 0), digit - L'0')
            << "list " << list << " shows its digit";
    }
    EXPECT_EQ(pin[header.size() + 1], L'7') << "the picked digit stays";

    SendMessageW(clear, BM_CLICK, 0, 0);
    EXPECT_EQ(test::textOf(output), L"");
    for (const HWND list : lists) {
        EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
    }
    EXPECT_EQ(test::textOf(hiddenEdits.front()), quotation);

    EXPECT_EQ(talvex.close(), 0);
}

} // namespace
} // namespace talvex::win32
