#include "app/form.h"
#include "app/win32/main_window.h"
#include "app/win32/utf16.h"
#include "tests/support/scripted_random.h"
#include "tests/win32/window_queries.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace talvex::win32 {
namespace {

// The DPI the test run was set up for: Wine's default, unless its prefix says otherwise.
int expectedDpi() {
    const char* dpi = std::getenv("TALVEX_EXPECTED_DPI");
    return dpi != nullptr ? std::atoi(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// Twips to pixels worked out here in floating point, not by the window's own conversion.
long px(int twips) {
    return std::lround(twips * expectedDpi() / 1440.0);
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

// The window, created afresh for each test, shown and active, and destroyed after it.
class Win32Window : public testing::Test {
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
        const form::Control* control = form::find(form::talvex(), array, index);
        return control != nullptr ? GetDlgItem(window, controlId(*control)) : nullptr;
    }

    // Most messages are sent for what they do, not for what they return.
    // NOLINTNEXTLINE(modernize-use-nodiscard)
    LRESULT send(std::string_view array, int index, UINT message, WPARAM wParam = 0,
                 LPARAM lParam = 0) const {
        return SendMessageW(child(array, index), message, wParam, lParam);
    }

    [[nodiscard]] std::wstring output() const { return test::textOf(child(form::kText1, 0)); }

    test::ScriptedRandom random{};
    HWND window = nullptr;
};

TEST_F(Win32Window, HasItsCaptionAndClientSizeAtTheScreenDpi) {
    const HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), expectedDpi()) << "the Wine prefix's DPI";
    ReleaseDC(nullptr, screen);

    EXPECT_EQ(test::textOf(window), L"https://talvex.example.org  ИТ - генериране на PIN код");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, px(7170));
    EXPECT_EQ(client.bottom, px(5175));
    EXPECT_NE(GetClassLongPtrW(window, GCLP_HICON), 0) << "the hamburger icon";
}

TEST_F(Win32Window, BuildsEveryControlOfTheForm) {
    auto* const font = reinterpret_cast<HFONT>(send(form::kText1, 0, WM_GETFONT));
    for (const form::Control& control : form::talvex().controls) {
        SCOPED_TRACE(std::string(control.array) + "(" + std::to_string(control.index) + ")");
        const HWND handle = child(control.array, control.index);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(test::classOf(handle), expectedClass(control.kind));

        RECT rect;
        GetWindowRect(handle, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, px(control.rect.left));
        EXPECT_EQ(rect.top, px(control.rect.top));
        EXPECT_EQ(rect.right, px(control.rect.right()));
        EXPECT_EQ(rect.bottom, px(control.rect.bottom()));

        const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE));
        EXPECT_EQ((style & WS_VISIBLE) != 0, control.visible);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)), font)
            << "one font for every control";
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
    LOGFONTW logFont{};
    ASSERT_NE(GetObjectW(font, sizeof logFont, &logFont), 0);
    EXPECT_STREQ(logFont.lfFaceName, L"Times New Roman");
    EXPECT_EQ(logFont.lfCharSet, 204);
    EXPECT_EQ(logFont.lfHeight, -px(12 * 20));
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

} // namespace
} // namespace talvex::win32
