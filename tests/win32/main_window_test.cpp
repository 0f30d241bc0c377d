#include "app/colour_contrast.h"
#include "app/form.h"
#include "app/win32/accessibility.h"
#include "app/win32/main_window.h"
#include "app/win32/utf16.h"
#include "tests/support/failing_random.h"
#include "tests/support/scripted_random.h"
#include "tests/win32/recorded_notification.h"
#include "tests/win32/window_queries.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <gtest/gtest.h>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>
#include <windows.h>
// windows.h first: oleacc.h relies on its types.
#include <oleacc.h>

namespace talvex::win32 {
namespace {

// The DPI the test run was set up for: Wine's default, unless its prefix says otherwise.
int expectedDpi() {
    const char* dpi = std::getenv("TALVEX_EXPECTED_DPI");
    return dpi != nullptr ? std::atoi(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// Twips to pixels worked out here in floating point, not by the window's own conversion.
long px(int twips, int dpi = expectedDpi()) {
    return std::lround(twips * dpi / 1440.0);
}

const wchar_t* expectedClass(form::Kind kind) {
    switch (kind) {
    case form::Kind::PushButton:
        return L"Button";
    case form::Kind::ListBox:
        return L"ListBox";
    case form::Kind::TextBox:
        return L"Edit";
    case form::Kind::Label:
        return L"Static";
    }
    return L"";
}

HWND childOf(HWND window, std::string_view array, int index) {
    const form::Control* control = form::find(form::talvex(), array, index);
    return control != nullptr ? GetDlgItem(window, controlId(*control)) : nullptr;
}

HFONT fontOf(HWND control) {
    return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

long iconSide(HWND window, WPARAM which) {
    ICONINFO info{};
    BITMAP bitmap{};
    GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)), &info);
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// Where the window and each of its controls lie on the screen.
std::vector<std::array<long, 4>> placesOf(HWND window) {
    std::vector<std::array<long, 4>> places;
    for (HWND handle = window; handle != nullptr;
         handle = GetWindow(handle, handle == window ? GW_CHILD : GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(handle, &rect);
        places.push_back({rect.left, rect.top, rect.right, rect.bottom});
    }
    return places;
}

// The window laid out for `dpi` from the form: client area, every control in place, lists at whole
// rows, one font of the height for that DPI, and icons of the sizes Windows asks for there.
void expectLaidOutAt(HWND window, int dpi) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, px(7170, dpi));
    EXPECT_EQ(client.bottom, px(5175, dpi));
    const HFONT font = fontOf(childOf(window, form::kText1, 0));
    for (const form::Control& control : form::talvex().controls) {
        SCOPED_TRACE(std::string(control.array) + "(" + std::to_string(control.index) + ")");
        const HWND handle = GetDlgItem(window, controlId(control));
        RECT rect;
        GetWindowRect(handle, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, px(control.rect.left, dpi));
        EXPECT_EQ(rect.top, px(control.rect.top, dpi));
        EXPECT_EQ(rect.right, px(control.rect.right(), dpi));
        EXPECT_EQ(fontOf(handle), font) << "one font for every control";
        if (control.kind != form::Kind::ListBox) {
            EXPECT_EQ(rect.bottom, px(control.rect.bottom(), dpi));
            continue;
        }
        const LRESULT row = SendMessageW(handle, LB_GETITEMHEIGHT, 0, 0);
        RECT rows;
        GetClientRect(handle, &rows);
        EXPECT_EQ(rows.bottom % row, 0) << "only whole rows of " << row << " pixels";
        EXPECT_LE(rect.bottom, px(control.rect.bottom(), dpi));
        EXPECT_GT(rect.bottom + row, px(control.rect.bottom(), dpi)) << "as many as fit";
    }
    LOGFONTW logFont{};
    ASSERT_NE(GetObjectW(font, sizeof logFont, &logFont), 0);
    EXPECT_EQ(logFont.lfHeight, -px(12 * 20, dpi));
    EXPECT_EQ(iconSide(window, ICON_SMALL), std::lround(16 * dpi / 96.0));
    EXPECT_EQ(iconSide(window, ICON_BIG), std::lround(32 * dpi / 96.0));
}

// The window, created afresh for each test with its own random source, shown and active, and
// destroyed after it.
template <class Random> class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        window = createMainWindow(GetModuleHandleW(nullptr), random);
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }

    void TearDown() override {
        DestroyWindow(window);
        // Including the WM_QUIT that the destroyed window posts.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        }
    }

    [[nodiscard]] HWND child(std::string_view array, int index) const {
        return childOf(window, array, index);
    }

    // Most messages are sent for what they do, not for what they return.
    // NOLINTNEXTLINE(modernize-use-nodiscard)
    LRESULT send(std::string_view array, int index, UINT message, WPARAM wParam = 0,
                 LPARAM lParam = 0) const {
        return SendMessageW(child(array, index), message, wParam, lParam);
    }

    [[nodiscard]] std::wstring output() const { return test::textOf(child(form::kText1, 0)); }

    Random random{};
    HWND window = nullptr;
};

class Win32Window : public WindowTest<test::ScriptedRandom> {};
// As on a system whose random number generator fails.
class Win32WindowWithoutRandomNumbers : public WindowTest<test::FailingRandom> {};

TEST_F(Win32Window, HasItsCaptionAndIconAtTheScreenDpi) {
    const HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), expectedDpi()) << "the Wine prefix's DPI";
    ReleaseDC(nullptr, screen);

    EXPECT_EQ(test::textOf(window), L"https://talvex.example.org  ИТ - генериране на PIN код");
    EXPECT_NE(GetClassLongPtrW(window, GCLP_HICON), 0) << "the hamburger icon";
}

TEST_F(Win32Window, BuildsEveryControlOfTheForm) {
    expectLaidOutAt(window, expectedDpi());
    for (const form::Control& control : form::talvex().controls) {
        SCOPED_TRACE(std::string(control.array) + "(" + std::to_string(control.index) + ")");
        const HWND handle = child(control.array, control.index);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(test::classOf(handle), expectedClass(control.kind));
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE));
        EXPECT_EQ((style & WS_VISIBLE) != 0, control.visible);
        switch (control.kind) {
        case form::Kind::PushButton:
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
            EXPECT_EQ(test::textOf(handle), widen(control.text));
            break;
        case form::Kind::ListBox: {
            EXPECT_EQ(style & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL), 0U);
            EXPECT_NE(style & WS_VSCROLL, 0U);
            ASSERT_EQ(SendMessageW(handle, LB_GETCOUNT, 0, 0), 10);
            for (int row = 0; row < 10; ++row) {
                std::array<wchar_t, 8> text{};
                SendMessageW(handle, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
                EXPECT_EQ(std::wstring(text.data()), std::to_wstring(row));
            }
            EXPECT_EQ(SendMessageW(handle, LB_GETCURSEL, 0, 0), LB_ERR) << "nothing selected";
            break;
        }
        case form::Kind::TextBox:
            EXPECT_NE(style & ES_MULTILINE, 0U);
            EXPECT_NE(style & WS_VSCROLL, 0U);
            EXPECT_EQ(test::textOf(handle), widen(control.text));
            break;
        case form::Kind::Label:
            EXPECT_EQ(test::textOf(handle), widen(control.text));
            break;
        }
    }
    const HFONT font = fontOf(child(form::kText1, 0));
    LOGFONTW logFont{};
    ASSERT_NE(GetObjectW(font, sizeof logFont, &logFont), 0);
    EXPECT_STREQ(logFont.lfFaceName, L"Times New Roman");
    EXPECT_EQ(logFont.lfCharSet, 204);
    EXPECT_EQ(logFont.lfWeight, FW_NORMAL);
    EXPECT_FALSE(logFont.lfItalic || logFont.lfUnderline || logFont.lfStrikeOut);

    // What the system really draws with: the face, or its Cyrillic stand-in where it is missing.
    const HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, font);
    std::array<wchar_t, LF_FACESIZE> face{};
    GetTextFaceW(dc, static_cast<int>(face.size()), face.data());
    EXPECT_TRUE(std::wstring(face.data()) == L"Times New Roman" ||
                std::wstring(face.data()) == L"Liberation Serif")
        << narrow(face.data());
    EXPECT_EQ(GetTextCharset(dc), RUSSIAN_CHARSET);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
}

TEST_F(Win32Window, LaysItselfOutAgainForTheDpiOfEachScreenItIsMovedTo) {
    const auto start = placesOf(window);
    RECT frame;
    GetWindowRect(window, &frame);
    // The suite's other DPI (1.5 times 144 would not fit the screen), as Windows sends it: with
    // the frame scaled for it, and moved a little.
    const int dpi = expectedDpi() == USER_DEFAULT_SCREEN_DPI ? 144 : USER_DEFAULT_SCREEN_DPI;
    RECT suggested{frame.left + 10, frame.top + 20,
                   frame.left + 10 + (frame.right - frame.left) * dpi / expectedDpi(),
                   frame.top + 20 + (frame.bottom - frame.top) * dpi / expectedDpi()};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    expectLaidOutAt(window, dpi);
    const std::array<long, 4> moved = placesOf(window).front();
    EXPECT_EQ(moved[0], suggested.left) << "where Windows suggests";
    EXPECT_EQ(moved[1], suggested.top);

    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(expectedDpi(), expectedDpi()),
                 reinterpret_cast<LPARAM>(&frame));
    expectLaidOutAt(window, expectedDpi());
    EXPECT_EQ(placesOf(window), start) << "back where it started";
}

TEST_F(Win32Window, FocusStartsInTheOutputBoxAndTabsInTabIndexOrder) {
    const std::array<HWND, 7> order = {
        child(form::kText1, 0),    child(form::kList1, 0), child(form::kList1, 1),
        child(form::kList1, 2),    child(form::kList1, 3), child(form::kCommand1, 0),
        child(form::kCommand1, 1),
    };
    ASSERT_EQ(GetFocus(), order[0]);

    // As the message loop hands keys to the window: through IsDialogMessage.
    const auto press = [this](bool shift) {
        std::array<BYTE, 256> keys{};
        GetKeyboardState(keys.data());
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys.data());
        MSG message{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
        IsDialogMessageW(window, &message);
    };
    for (std::size_t step = 1; step <= order.size(); ++step) {
        press(false);
        EXPECT_EQ(GetFocus(), order[step % order.size()]) << "Tab number " << step;
    }
    for (std::size_t step = 1; step <= order.size(); ++step) {
        press(true);
        EXPECT_EQ(GetFocus(), order[(order.size() - step) % order.size()])
            << "Shift+Tab number " << step;
    }
    press(false);
    ASSERT_EQ(GetFocus(), order[1]);

    // Leaving the window and coming back returns the focus to where it was.
    SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(window);
    EXPECT_EQ(GetFocus(), order[1]);
}

TEST_F(Win32Window, ButtonsComposeAndClearThePin) {
    random = test::ScriptedRandom{test::forProduct(62.5), test::forProduct(187.5),
                                  test::forProduct(3.0)};
    send(form::kList1, 1, LB_SETCURSEL, 7);
    const std::wstring quotation = test::textOf(child(form::kText1, 1));

    send(form::kCommand1, 0, BM_CLICK);
    EXPECT_EQ(output(), L"Генериран нов PIN код:\r\n2783\r\n");
    EXPECT_EQ(random.draws, 3);
    const std::array<LRESULT, 4> pin = {2, 7, 8, 3};
    for (int list = 0; list < 4; ++list) {
        EXPECT_EQ(send(form::kList1, list, LB_GETCURSEL), pin.at(list)) << "List1(" << list << ")";
    }

    send(form::kCommand1, 0, BM_CLICK);
    EXPECT_EQ(output(), L"Генериран нов PIN код:\r\n2783\r\n") << "every list keeps its digit";
    EXPECT_EQ(random.draws, 3);

    send(form::kCommand1, 1, BM_CLICK);
    EXPECT_EQ(output(), L"");
    for (int list = 0; list < 4; ++list) {
        EXPECT_EQ(send(form::kList1, list, LB_GETCURSEL), LB_ERR) << "List1(" << list << ")";
    }
    EXPECT_EQ(test::textOf(child(form::kText1, 1)), quotation);
}

TEST_F(Win32Window, ShowsThePinOnALineOfItsOwn) {
    random = test::ScriptedRandom{test::forProduct(62.5), test::forProduct(187.5),
                                  test::forProduct(3.0)};
    send(form::kList1, 1, LB_SETCURSEL, 7);
    send(form::kCommand1, 0, BM_CLICK);
    // Only a multi-line edit control of the common controls the manifest asks for breaks lines.
    const auto pinAt = static_cast<WPARAM>(output().find(L"2783"));
    const LRESULT pinLine = send(form::kText1, 0, EM_LINEFROMCHAR, pinAt);
    EXPECT_GT(pinLine, 0);
    EXPECT_EQ(send(form::kText1, 0, EM_LINEINDEX, static_cast<WPARAM>(pinLine)),
              static_cast<LRESULT>(pinAt));
}

TEST_F(Win32Window, CtrlClickTakesTheSelectionOutOfAList) {
    const auto click = [this](int row, WPARAM keys) {
        RECT item;
        send(form::kList1, 2, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
        const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        send(form::kList1, 2, WM_LBUTTONDOWN, MK_LBUTTON | keys, point);
        send(form::kList1, 2, WM_LBUTTONUP, keys, point);
        return send(form::kList1, 2, LB_GETCURSEL);
    };
    EXPECT_EQ(click(3, 0), 3);
    EXPECT_EQ(click(1, MK_CONTROL), 1) << "Ctrl+click on another row selects it";
    EXPECT_EQ(click(1, MK_CONTROL), LB_ERR) << "Ctrl+click on the selected row deselects it";
    EXPECT_EQ(click(1, 0), 1);
}

// Takes every message waiting for this thread, as the message loop would, WinEvents included.
void pumpMessages(HWND window) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (IsDialogMessageW(window, &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// What a screen reader is told: event, window, child ID.
using WinEvent = std::tuple<DWORD, HWND, LONG>;

std::vector<WinEvent>& winEvents() {
    static std::vector<WinEvent> events;
    return events;
}

void CALLBACK recordWinEvent(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object,
                             LONG child, DWORD /*thread*/, DWORD /*time*/) {
    if (object == OBJID_CLIENT) {
        winEvents().emplace_back(event, window, child);
    }
}

TEST_F(Win32Window, ScreenReadersFindEveryControlInTabOrderAndHearWhatTheButtonsChange) {
    const std::map<form::Kind, long> roles = {{form::Kind::PushButton, ROLE_SYSTEM_PUSHBUTTON},
                                              {form::Kind::ListBox, ROLE_SYSTEM_LIST},
                                              {form::Kind::TextBox, ROLE_SYSTEM_TEXT},
                                              {form::Kind::Label, ROLE_SYSTEM_STATICTEXT}};
    std::vector<const form::Control*> tabOrder;
    for (const form::Control& control : form::talvex().controls) {
        tabOrder.push_back(&control);
        if (!control.visible) {
            continue;
        }
        SCOPED_TRACE(std::string(control.array) + "(" + std::to_string(control.index) + ")");
        const test::Described described = test::describedAs(child(control.array, control.index));
        EXPECT_EQ(described.name,
                  widen(control.accessibleName.empty() ? control.text : control.accessibleName));
        EXPECT_FALSE(described.name.empty());
        EXPECT_EQ(described.role, roles.at(control.kind));
    }

    // The window's children, in the order a screen reader walks them.
    std::ranges::sort(tabOrder, {}, &form::Control::tabIndex);
    IAccessible* client = nullptr;
    ASSERT_HRESULT_SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                                        IID_IAccessible,
                                                        reinterpret_cast<void**>(&client)));
    std::array<VARIANT, 16> children{};
    long count = 0;
    AccessibleChildren(client, 0, static_cast<long>(children.size()), children.data(), &count);
    client->Release();
    std::vector<HWND> walked;
    for (VARIANT& found : std::span(children.data(), static_cast<std::size_t>(count))) {
        HWND handle = nullptr;
        if (found.vt == VT_DISPATCH) {
            IAccessible* accessible = nullptr;
            found.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&accessible));
            if (accessible != nullptr) {
                WindowFromAccessibleObject(accessible, &handle);
                accessible->Release();
            }
        }
        walked.push_back(handle);
        VariantClear(&found);
    }
    std::vector<HWND> expected;
    expected.reserve(tabOrder.size());
    for (const form::Control* control : tabOrder) {
        expected.push_back(child(control->array, control->index));
    }
    EXPECT_EQ(walked, expected);

    // The focus stays in the output box; the lists the program changes say so without it.
    random = test::ScriptedRandom{test::forProduct(62.5), test::forProduct(187.5),
                                  test::forProduct(3.0)};
    send(form::kList1, 1, LB_SETCURSEL, 7);
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, recordWinEvent, GetCurrentProcessId(),
                        GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const auto eventsOf = [this](std::int16_t button) {
        pumpMessages(window);
        winEvents().clear();
        send(form::kCommand1, button, BM_CLICK);
        pumpMessages(window);
        std::vector<WinEvent> told;
        for (const WinEvent& event : winEvents()) {
            if (test::classOf(std::get<1>(event)) != L"Button") {
                told.push_back(event);
            }
        }
        std::ranges::sort(told);
        return told;
    };
    const auto list = [this](int index) { return child(form::kList1, index); };
    const HWND box = child(form::kText1, 0);
    std::vector<WinEvent> chosen = {
        {EVENT_OBJECT_SELECTION, list(0), 2 + 1},
        {EVENT_OBJECT_SELECTION, list(2), 8 + 1},
        {EVENT_OBJECT_SELECTION, list(3), 3 + 1},
        {EVENT_OBJECT_VALUECHANGE, box, CHILDID_SELF},
    };
    std::ranges::sort(chosen);
    EXPECT_EQ(eventsOf(0), chosen) << "Избор: only the lists it filled, and the box";
    EXPECT_EQ(test::describedAs(box).value, output());

    std::vector<WinEvent> cleared = {
        {EVENT_OBJECT_SELECTIONREMOVE, list(0), 2 + 1},
        {EVENT_OBJECT_SELECTIONREMOVE, list(1), 7 + 1},
        {EVENT_OBJECT_SELECTIONREMOVE, list(2), 8 + 1},
        {EVENT_OBJECT_SELECTIONREMOVE, list(3), 3 + 1},
        {EVENT_OBJECT_VALUECHANGE, box, CHILDID_SELF},
    };
    std::ranges::sort(cleared);
    EXPECT_EQ(eventsOf(1), cleared) << "Почисти";
    UnhookWinEvent(hook);
}

// Run only as win32.ui_automation, in a prefix where a recording stand-in takes the place of
// Wine's uiautomationcore.dll, which has no notifications to raise.
class Win32WindowUnderUiAutomation : public Win32Window {};

TEST_F(Win32WindowUnderUiAutomation, NotifiesWhatEachButtonDidOnceFromTheOutputBox) {
    random = test::ScriptedRandom{test::forProduct(62.5), test::forProduct(187.5),
                                  test::forProduct(3.0)};
    send(form::kList1, 1, LB_SETCURSEL, 7);
    send(form::kCommand1, 0, BM_CLICK);
    send(form::kCommand1, 1, BM_CLICK);

    // Through a plain function pointer, the one cast between function types that means nothing.
    const auto recorded =
        reinterpret_cast<test::RecordedNotifications>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"uiautomationcore.dll"), "recordedNotifications")));
    ASSERT_NE(recorded, nullptr) << "Wine's own uiautomationcore.dll, not the stand-in";
    int count = 0;
    const test::RecordedNotification* raised = recorded(&count);
    const std::array<std::wstring, 2> said = {L"Генериран нов PIN код: 2 7 8 3",
                                              widen(form::talvex().clearedText)};
    ASSERT_EQ(count, static_cast<int>(said.size()));
    for (std::size_t i = 0; i < said.size(); ++i) {
        const test::RecordedNotification& notification = std::span(raised, said.size())[i];
        const std::wstring& text = said.at(i);
        EXPECT_EQ(notification.source, child(form::kText1, 0));
        EXPECT_EQ(notification.kind, 2) << "ActionCompleted";
        EXPECT_EQ(notification.processing, 1) << "ImportantMostRecent";
        EXPECT_EQ(std::wstring(notification.text.data()), text);
        EXPECT_NE(std::wstring(notification.activity.data()), L"");
    }
}

// Presses `key` with the focus where it is, as the message loop hands it to the window, with
// `held` (VK_CONTROL, VK_SHIFT) held or none; then lets the window do what the key made it post.
void pressKey(HWND window, WPARAM key, BYTE held = 0) {
    std::array<BYTE, 256> keys{};
    GetKeyboardState(keys.data());
    keys[held] = held != 0 ? 0x80 : 0;
    SetKeyboardState(keys.data());
    constexpr auto kReleased = static_cast<LPARAM>(0xC0000001U);
    for (const auto& [message, flags] :
         {std::pair{WM_KEYDOWN, LPARAM{1}}, std::pair{WM_KEYUP, kReleased}}) {
        MSG pressed{GetFocus(), static_cast<UINT>(message), key, flags, 0, {}};
        if (IsDialogMessageW(window, &pressed) == FALSE) {
            TranslateMessage(&pressed);
            DispatchMessageW(&pressed);
        }
    }
    pumpMessages(window);
    keys[held] = 0;
    SetKeyboardState(keys.data());
}

TEST_F(Win32Window, KeysPressTheFocusedButtonDeselectAListAndNeverCloseTheWindow) {
    random = test::ScriptedRandom{test::forProduct(62.5), test::forProduct(187.5),
                                  test::forProduct(3.0), test::forProduct(4.0)};
    SetFocus(child(form::kCommand1, 0));
    pressKey(window, VK_RETURN);
    EXPECT_EQ(output(), L"Генериран нов PIN код:\r\n2834\r\n") << "Enter on Избор";
    SetFocus(child(form::kCommand1, 1));
    pressKey(window, VK_SPACE);
    EXPECT_EQ(output(), L"") << "Space on Почисти";
    SetWindowTextW(child(form::kText1, 0), L"1234");
    SetFocus(child(form::kCommand1, 1));
    pressKey(window, VK_RETURN);
    EXPECT_EQ(output(), L"") << "Enter on Почисти";

    SetFocus(child(form::kList1, 2));
    send(form::kList1, 2, LB_SETCURSEL, 4);
    pressKey(window, VK_SPACE, VK_CONTROL);
    EXPECT_EQ(send(form::kList1, 2, LB_GETCURSEL), LB_ERR) << "Ctrl+Space";

    // Enter on a button presses it, as above.
    for (const auto& [focus, key] : {std::pair{child(form::kText1, 0), VK_ESCAPE},
                                     std::pair{child(form::kList1, 2), VK_ESCAPE},
                                     std::pair{child(form::kCommand1, 0), VK_ESCAPE},
                                     std::pair{child(form::kText1, 0), VK_RETURN},
                                     std::pair{child(form::kList1, 2), VK_RETURN}}) {
        SetFocus(focus);
        pressKey(window, static_cast<WPARAM>(key));
        ASSERT_NE(IsWindow(window), FALSE) << test::classOf(focus) << ", key " << key;
    }
    EXPECT_EQ(send(form::kList1, 2, LB_GETCURSEL), LB_ERR) << "Enter in a list picks nothing";
    EXPECT_EQ(random.draws, 4) << "nor does Enter or Escape press a button that has no focus";
}

// Puts `text` on the clipboard as Unicode text; false if the clipboard would not take it.
bool setClipboardText(std::wstring_view text) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (memory == nullptr) {
        return false;
    }
    auto* units = static_cast<wchar_t*>(GlobalLock(memory));
    units[text.copy(units, text.size())] = L'\0';
    GlobalUnlock(memory);
    const bool set = OpenClipboard(nullptr) != FALSE && EmptyClipboard() != FALSE &&
                     SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!set) {
        GlobalFree(memory);
    }
    return set;
}

// What the clipboard holds in `format`, as bytes, and two NULs after them.
std::string clipboardBytes(UINT format) {
    std::string bytes;
    if (OpenClipboard(nullptr) != FALSE) {
        if (const HANDLE memory = GetClipboardData(format); memory != nullptr) {
            bytes.assign(static_cast<const char*>(GlobalLock(memory)), GlobalSize(memory));
            GlobalUnlock(memory);
        }
        CloseClipboard();
    }
    return bytes + std::string(2, '\0');
}

// Copied or cut by any key or by the menu's messages, the selection leaves as the edit control
// gives it out, marked for Windows' clipboard history, cloud clipboard and monitors to leave out.
TEST_F(Win32Window, MarksWhatIsCopiedOrCutOutOfTheBoxAsASecret) {
    const HWND box = child(form::kText1, 0);
    // The message, and for a key the key and the key held with it; whether it cuts.
    const std::array<std::tuple<UINT, WPARAM, BYTE, bool>, 6> ways = {
        {{WM_KEYDOWN, 'C', VK_CONTROL, false},
         {WM_KEYDOWN, VK_INSERT, VK_CONTROL, false},
         {WM_KEYDOWN, 'X', VK_CONTROL, true},
         {WM_KEYDOWN, VK_DELETE, VK_SHIFT, true},
         {WM_COPY, 0, 0, false},
         {WM_CUT, 0, 0, true}}};
    for (const auto& [message, key, held, cuts] : ways) {
        SCOPED_TRACE(testing::Message() << "message " << message << ", key " << key);
        SetWindowTextW(box, L"ab12\r\n34cd");
        SetFocus(box);
        SendMessageW(box, EM_SETSEL, 2, 8);
        ASSERT_TRUE(setClipboardText(L"before"));
        message == WM_KEYDOWN ? pressKey(window, key, held)
                              : void(SendMessageW(box, message, 0, 0));
        EXPECT_EQ(output(), cuts ? L"abcd" : L"ab12\r\n34cd");
        EXPECT_STREQ(reinterpret_cast<const wchar_t*>(clipboardBytes(CF_UNICODETEXT).c_str()),
                     L"12\r\n34");
        for (const wchar_t* format :
             {L"ExcludeClipboardContentFromMonitorProcessing", L"CanIncludeInClipboardHistory",
              L"CanUploadToCloudClipboard"}) {
            EXPECT_EQ(clipboardBytes(RegisterClipboardFormatW(format)).substr(0, 4),
                      std::string(4, '\0'));
        }
    }
}

TEST_F(Win32Window, PastesOnlyWholeCharactersAndLineBreaksThatFitTheOutputBox) {
    // Ctrl+V as the character that TranslateMessage makes of it, and Shift+Insert as the key,
    // on which Wine's edit control pastes by itself.
    struct Keys {
        std::string_view name;
        void (*press)(HWND box);
    };
    const std::array pasteKeys = {
        Keys{"Ctrl+V", [](HWND box) { SendMessageW(box, WM_CHAR, 0x16, 1); }},
        Keys{"Shift+Insert",
             [](HWND box) {
                 std::array<BYTE, 256> keys{};
                 GetKeyboardState(keys.data());
                 keys[VK_SHIFT] = 0x80;
                 SetKeyboardState(keys.data());
                 SendMessageW(box, WM_KEYDOWN, VK_INSERT, 1);
                 keys[VK_SHIFT] = 0;
                 SetKeyboardState(keys.data());
             }},
    };
    struct Case {
        std::string_view name;
        std::wstring_view clipboard;
        std::size_t room; // left in the box besides the selection
        std::size_t selected;
        std::wstring_view pasted;
    };
    const std::array cases = {
        Case{"the limit inside a surrogate pair", L"ab\U0001F600c", 3, 0, L"ab"},
        Case{"the limit inside a CR LF", L"ab\r\ncd", 3, 0, L"ab"},
        Case{"the limit inside the CR LF that a lone LF becomes", L"ab\ncd", 3, 0, L"ab"},
        Case{"lone LF and CR, room to spare", L"a\nb\rc", 10, 2, L"a\r\nb\r\nc"},
        Case{"a full box, room only in the selection", L"abc\U0001F600", 0, 4, L"abc"},
    };
    const auto capacity = static_cast<std::size_t>(form::kTextBoxCapacity);
    const HWND box = child(form::kText1, 0);
    for (const Keys& paste : pasteKeys) {
        for (const Case& pasting : cases) {
            SCOPED_TRACE(std::string(pasting.name) + ", with " + std::string(paste.name));
            const std::size_t keep = capacity - pasting.room - pasting.selected;
            // In short lines: Wine takes seconds to wrap a single line that fills the box.
            std::wstring kept;
            while (kept.size() < keep) {
                kept += L"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\r\n";
            }
            kept.resize(keep);
            SetWindowTextW(box, (kept + std::wstring(pasting.selected, L'y')).c_str());
            SendMessageW(box, EM_SETSEL, kept.size(), -1);
            ASSERT_TRUE(setClipboardText(pasting.clipboard));

            paste.press(box);
            const std::wstring text = output();
            ASSERT_GE(text.size(), kept.size());
            EXPECT_EQ(text.substr(kept.size()), pasting.pasted);

            SendMessageW(box, EM_UNDO, 0, 0);
            EXPECT_EQ(output().size(), kept.size() + pasting.selected) << "undone";
        }
    }
}

TEST_F(Win32Window, TypesNeitherHalfALineBreakNorHalfASurrogatePairIntoTheLastUnit) {
    const HWND box = child(form::kText1, 0);
    std::wstring full;
    while (full.size() < static_cast<std::size_t>(form::kTextBoxCapacity) - 1) {
        full += L"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\r\n";
    }
    full.resize(static_cast<std::size_t>(form::kTextBoxCapacity) - 1);
    const auto type = [box](std::wstring_view units) {
        for (const wchar_t unit : units) {
            SendMessageW(box, WM_CHAR, unit, 1);
        }
    };
    SetWindowTextW(box, full.c_str());
    SendMessageW(box, EM_SETSEL, full.size(), static_cast<LPARAM>(full.size()));

    type(L"\r\U0001F600");
    EXPECT_EQ(output(), full);
    type(L"z");
    EXPECT_EQ(output(), full + L"z");
}

// The caption and text of the message box that a command shows, found by a timer on this
// thread while the box waits for the user, which then presses OK.
struct MessageBoxSeen {
    std::wstring caption;
    std::wstring text;
};

MessageBoxSeen& messageBoxSeen() {
    static MessageBoxSeen seen;
    return seen;
}

BOOL CALLBACK findDialog(HWND window, LPARAM found) {
    if (test::classOf(window) != L"#32770") {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK answerMessageBox(HWND /*window*/, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    // A message box's text is the static control with ID 0xFFFF.
    messageBoxSeen() = {test::textOf(box), test::textOf(GetDlgItem(box, 0xFFFF))};
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(Win32WindowWithoutRandomNumbers, SaysNoPinCouldBeMadeAndWhyAndEnds) {
    std::string reason;
    try {
        static_cast<void>(test::FailingRandom().next());
    } catch (const std::exception& error) {
        reason = error.what();
    }
    const std::wstring before = output();

    const UINT_PTR timer = SetTimer(nullptr, 0, 50, answerMessageBox);
    send(form::kCommand1, 0, BM_CLICK);
    KillTimer(nullptr, timer);

    EXPECT_EQ(messageBoxSeen().caption, widen(form::talvex().caption));
    EXPECT_EQ(messageBoxSeen().text, widen(form::talvex().noPinText) + L"\r\n\r\n" + widen(reason));
    EXPECT_EQ(output(), before) << "no part of a PIN";
    MSG quit{};
    ASSERT_NE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE), FALSE);
    EXPECT_EQ(quit.wParam, static_cast<WPARAM>(EXIT_FAILURE));
}

// Reads back what the window drew on the screen.
class Screen {
public:
    explicit Screen(HWND window)
        : window_(window)
        , dc_(GetDC(window)) {}
    ~Screen() { ReleaseDC(window_, dc_); }
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    [[nodiscard]] COLORREF at(int leftTwips, int topTwips) const {
        return GetPixel(dc_, static_cast<int>(px(leftTwips)), static_cast<int>(px(topTwips)));
    }

    // Every pixel of `rect`, in the window's client coordinates.
    [[nodiscard]] std::vector<COLORREF> within(const RECT& rect) const {
        std::vector<COLORREF> pixels;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                pixels.push_back(GetPixel(dc_, x, y));
            }
        }
        return pixels;
    }

private:
    HWND window_;
    HDC dc_;
};

TEST_F(Win32Window, PaintsItsColoursAndAPressedButtonSunken) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Screen screen(window);
    EXPECT_EQ(screen.at(60, 600), RGB(192, 192, 255)) << "window background";
    EXPECT_EQ(screen.at(7065, 300), RGB(255, 192, 128)) << "label, right of its text";
    EXPECT_EQ(screen.at(4080 + 90, 720 + 90), RGB(128, 255, 128)) << "Избор's face";
    EXPECT_EQ(screen.at(4080 + 90, 1800 + 90), RGB(255, 0, 0)) << "Почисти's face";

    // A raised edge is light at the top left; a sunken one is dark there.
    const COLORREF raised = screen.at(4080, 720);
    send(form::kCommand1, 0, BM_SETSTATE, TRUE);
    UpdateWindow(child(form::kCommand1, 0));
    const COLORREF sunken = screen.at(4080, 720);
    send(form::kCommand1, 0, BM_SETSTATE, FALSE);
    EXPECT_GT(GetRValue(raised) + GetGValue(raised) + GetBValue(raised),
              GetRValue(sunken) + GetGValue(sunken) + GetBValue(sunken));
}

double contrast(COLORREF one, COLORREF other) {
    const auto rgb = [](COLORREF colour) {
        return form::Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    };
    return form::contrastRatio(rgb(one), rgb(other));
}

// How well the text in `pixels` reads: the contrast between the colour of most of them, the
// background, and the one that stands out from it most, the text's.
double textContrast(const std::vector<COLORREF>& pixels) {
    std::map<COLORREF, int> counts;
    for (const COLORREF pixel : pixels) {
        ++counts[pixel];
    }
    const COLORREF background =
        std::ranges::max_element(counts, {}, [](const auto& entry) { return entry.second; })->first;
    double most = 1.0;
    for (const auto& [pixel, count] : counts) {
        most = std::max(most, contrast(background, pixel));
    }
    return most;
}

// The system's colours as a dark theme, or high contrast's black scheme, sets them, light text on
// dark faces, for as long as it lives; the old ones are put back even when the test fails.
class DarkSystemColours {
public:
    DarkSystemColours() {
        std::ranges::transform(kElements, saved_.begin(), GetSysColor);
        SetSysColors(static_cast<int>(kElements.size()), kElements.data(), kDark.data());
    }
    ~DarkSystemColours() {
        SetSysColors(static_cast<int>(kElements.size()), kElements.data(), saved_.data());
    }
    DarkSystemColours(const DarkSystemColours&) = delete;
    DarkSystemColours& operator=(const DarkSystemColours&) = delete;

private:
    static constexpr std::array<int, 4> kElements = {COLOR_WINDOW, COLOR_BTNFACE, COLOR_WINDOWTEXT,
                                                     COLOR_BTNTEXT};
    static constexpr std::array<COLORREF, 4> kDark = {RGB(32, 32, 32), RGB(45, 45, 45),
                                                      RGB(255, 255, 255), RGB(255, 255, 255)};
    std::array<COLORREF, 4> saved_{};
};

// High contrast as Windows reports it, for as long as this lives, to the window in this test
// program: Wine reports it always off and will not switch it on, so the program's own import of
// SystemParametersInfoW, through which the window asks, is pointed here.
class HighContrastReported {
public:
    HighContrastReported() {
        const auto* base = reinterpret_cast<const BYTE*>(GetModuleHandleW(nullptr));
        const auto& dos = *reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto& nt = *reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos.e_lfanew);
        const IMAGE_DATA_DIRECTORY imports =
            nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        const FARPROC real =
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoW");
        for (const auto* dll =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             dll->Name != 0 && slot_ == nullptr; ++dll) {
            for (auto* entry =
                     reinterpret_cast<IMAGE_THUNK_DATA*>(const_cast<BYTE*>(base) + dll->FirstThunk);
                 entry->u1.Function != 0; ++entry) {
                if (entry->u1.Function == reinterpret_cast<ULONG_PTR>(real)) {
                    slot_ = &entry->u1.Function;
                    break;
                }
            }
        }
        if (slot_ != nullptr) {
            swap(reinterpret_cast<ULONG_PTR>(&reportHighContrast));
        }
    }
    ~HighContrastReported() {
        if (slot_ != nullptr) {
            swap(real_);
        }
    }
    HighContrastReported(const HighContrastReported&) = delete;
    HighContrastReported& operator=(const HighContrastReported&) = delete;

    [[nodiscard]] bool installed() const { return slot_ != nullptr; }

private:
    void swap(ULONG_PTR function) {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
        if (real_ == 0) {
            real_ = *slot_;
            realFunction() = real_;
        }
        *slot_ = function;
        VirtualProtect(slot_, sizeof *slot_, protection, &protection);
    }

    static ULONG_PTR& realFunction() {
        static ULONG_PTR function = 0;
        return function;
    }

    static BOOL WINAPI reportHighContrast(UINT action, UINT size, PVOID data, UINT update) {
        if (action == SPI_GETHIGHCONTRAST && data != nullptr) {
            static_cast<HIGHCONTRASTW*>(data)->dwFlags = HCF_HIGHCONTRASTON | HCF_AVAILABLE;
            return TRUE;
        }
        using Function = BOOL WINAPI(UINT, UINT, PVOID, UINT);
        return reinterpret_cast<Function*>(realFunction())(action, size, data, update);
    }

    ULONG_PTR* slot_ = nullptr;
    ULONG_PTR real_ = 0;
};

TEST_F(Win32Window, TakesTheSystemsColoursUnderHighContrast) {
    const auto redraw = [this] {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    {
        const HighContrastReported highContrast;
        ASSERT_TRUE(highContrast.installed());
        const DarkSystemColours scheme;
        SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        redraw();
        const Screen screen(window);
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        EXPECT_EQ(screen.at(60, 600), face) << "window background";
        EXPECT_EQ(screen.at(7065, 300), face) << "label, right of its text";
        EXPECT_EQ(screen.at(4080 + 90, 720 + 90), face) << "Избор's face";
        EXPECT_EQ(screen.at(4080 + 90, 1800 + 90), face) << "Почисти's face";
        for (const HWND control : {child(form::kLabel1, 0), child(form::kCommand1, 0)}) {
            RECT area;
            GetClientRect(control, &area);
            MapWindowPoints(control, window, reinterpret_cast<POINT*>(&area), 2);
            InflateRect(&area, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
            EXPECT_GE(textContrast(screen.within(area)), 4.5) << test::classOf(control);
        }
    }
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    redraw();
    EXPECT_EQ(Screen(window).at(60, 600), RGB(192, 192, 255)) << "the form's colours again";
}

TEST_F(Win32Window, KeepsTextReadableOnTheBackgroundsItFixesUnderADarkTheme) {
    const DarkSystemColours dark;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Screen screen(window);
    for (const form::Control& control : form::talvex().controls) {
        if (control.background == nullptr) {
            continue;
        }
        const HWND handle = child(control.array, control.index);
        RECT area;
        GetClientRect(handle, &area);
        MapWindowPoints(handle, window, reinterpret_cast<POINT*>(&area), 2);
        if (control.kind == form::Kind::PushButton) {
            // The raised edge is drawn in the system's 3D colours: only the face inside counts.
            InflateRect(&area, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
        }
        EXPECT_GE(textContrast(screen.within(area)), 4.5)
            << control.array << "(" << control.index << ")";
    }
}

} // namespace
} // namespace talvex::win32
