#include "main_window.h"

#include "accessibility.h"
#include "app/announcement.h"
#include "app/form.h"
#include "button_face.h"
#include "form_colours.h"
#include "form_controls.h"
#include "pin/pin_commands.h"
#include "pin_controls.h"
#include "resources/resource_ids.h"
#include "utf16.h"
#include "window_layout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <new>
#include <string>
#include <system_error>
#include <vector>

namespace talvex::win32 {

namespace {

// Child IDs stay clear of IDOK and IDCANCEL, which IsDialogMessage sends for Enter and Escape.
constexpr int kFirstControlId = 100;

// The layout assumes its fixed client size: no sizing border, no maximise box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The window's instance data, attached to it from WM_NCCREATE to WM_NCDESTROY.
class MainWindow final {
public:
    MainWindow(HWND window, pin::RandomSource& random)
        : window_(window)
        , random_(random) {}

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool onCreate();
    void onDpiChanged(int dpi, const RECT& suggested);
    void onCommand(int id, int code, HWND control);
    void onActivate(bool active);
    void onSetFocus() const;
    void onNextDlgCtl(WPARAM wParam, LPARAM lParam) const;
    void onEraseBackground(HDC dc) const;
    LRESULT onCtlColorStatic(HDC dc, HWND control) const;
    void onDrawItem(const DRAWITEMSTRUCT& item) const;
    void onSystemColoursChanged();
    void announceOutcome(std::int16_t command) const;

    // The form control with child ID `id`, or null.
    static const form::Control* controlOf(int id);

    HWND window_;
    pin::RandomSource& random_;
    WindowLayout layout_;
    FormColours colours_;
    PinControls controls_;
    // The control to give the focus back to when the window is activated again.
    HWND focus_ = nullptr;
};

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto& create = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* random = static_cast<pin::RandomSource*>(create.lpCreateParams);
        auto* self = new (std::nothrow) MainWindow(window, *random);
        if (self == nullptr) {
            return FALSE;
        }
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete self;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return onCreate() ? 0 : -1;
    case WM_DPICHANGED:
        // Both words hold the new DPI, the same across and down.
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_ACTIVATE:
        onActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SETFOCUS:
        onSetFocus();
        return 0;
    case WM_NEXTDLGCTL:
        onNextDlgCtl(wParam, lParam);
        return 0;
    case WM_ERASEBKGND:
        onEraseBackground(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        onSystemColoursChanged();
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_DESTROY:
        PostQuitMessage(EXIT_SUCCESS);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

bool MainWindow::onCreate() {
    const form::Window& window = form::talvex();
    if (!colours_.created()) {
        return false;
    }
    // Dialog navigation follows the z-order, which is the order of creation.
    std::vector<const form::Control*> tabOrder;
    for (const form::Control& control : window.controls) {
        tabOrder.push_back(&control);
    }
    std::ranges::sort(tabOrder, {}, &form::Control::tabIndex);
    for (const form::Control* control : tabOrder) {
        if (createControl(window_, *control) == nullptr) {
            return false;
        }
    }
    if (!layout_.apply(window_, dpiOf(window_), nullptr)) {
        return false;
    }
    for (const form::Control& control : window.controls) {
        fillControl(GetDlgItem(window_, controlId(control)), control);
    }
    controls_.findIn(window_);
    focus_ = GetNextDlgTabItem(window_, nullptr, FALSE);
    return true;
}

void MainWindow::onDpiChanged(int dpi, const RECT& suggested) {
    if (layout_.apply(window_, dpi, &suggested)) {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void MainWindow::onCommand(int id, int code, HWND control) {
    const form::Control* source = controlOf(id);
    if (code != BN_CLICKED || source == nullptr || source->array != form::kCommand1 ||
        control != GetDlgItem(window_, id)) {
        return;
    }
    try {
        pin::command1Click(source->index, controls_, random_);
        announceOutcome(source->index);
    } catch (const std::exception& error) {
        // An exception must not unwind through Windows' own frames; end the program, saying why.
        // What fails here is the system's random number generator, and the PIN logic has already
        // put the lists and the box back; the system's own reason, in English, goes under ours.
        const std::wstring message =
            widen(form::talvex().noPinText) + L"\r\n\r\n" + widen(error.what());
        MessageBoxW(window_, message.c_str(), widen(form::talvex().caption).c_str(),
                    MB_OK | MB_ICONERROR);
        PostQuitMessage(EXIT_FAILURE);
    }
}

void MainWindow::onActivate(bool active) {
    if (!active) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus) != FALSE) {
            focus_ = focus;
        }
    }
}

void MainWindow::onSetFocus() const {
    if (focus_ != nullptr) {
        SetFocus(focus_);
    }
}

void MainWindow::onNextDlgCtl(WPARAM wParam, LPARAM lParam) const {
    // A multi-line edit box asks for the next control this way on Tab, as it would a dialog.
    const HWND next = LOWORD(lParam) != 0
                          ? reinterpret_cast<HWND>(wParam)
                          : GetNextDlgTabItem(window_, GetFocus(), wParam != 0 ? TRUE : FALSE);
    if (next != nullptr) {
        SetFocus(next);
    }
}

void MainWindow::onEraseBackground(HDC dc) const {
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, colours_.background());
}

LRESULT MainWindow::onCtlColorStatic(HDC dc, HWND control) const {
    const FormColours::Face face = colours_.faceOf(controlOf(GetDlgCtrlID(control)));
    if (face.brush == nullptr) {
        return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    }
    SetTextColor(dc, face.text);
    SetBkColor(dc, face.colour);
    return reinterpret_cast<LRESULT>(face.brush);
}

void MainWindow::onDrawItem(const DRAWITEMSTRUCT& item) const {
    const FormColours::Face face = colours_.faceOf(controlOf(static_cast<int>(item.CtlID)));
    if (item.CtlType == ODT_BUTTON && face.brush != nullptr) {
        drawButtonFace(item, face.brush, face.text, layout_.font(), layout_.dpi());
    }
}

void MainWindow::onSystemColoursChanged() {
    // High contrast is switched with WM_SETTINGCHANGE, its colours come with WM_SYSCOLORCHANGE.
    colours_.followSystem();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::announceOutcome(std::int16_t command) const {
    // Once for the command: the PIN logic writes the box a piece at a time.
    if (command == pin::kChoose || command == pin::kClear) {
        reportNewText(controls_.outputBox());
    }
    const std::string said = form::announcement(command, controls_.outputText());
    if (!said.empty()) {
        announce(controls_.outputBox(), widen(said));
    }
}

const form::Control* MainWindow::controlOf(int id) {
    const std::span<const form::Control> controls = form::talvex().controls;
    const int position = id - kFirstControlId;
    return position >= 0 && position < static_cast<int>(controls.size())
               ? &controls[static_cast<std::size_t>(position)]
               : nullptr;
}

} // namespace

HWND createMainWindow(HINSTANCE instance, pin::RandomSource& random) {
    const form::Window& window = form::talvex();
    const std::wstring className = widen(window.name);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, className.c_str(), &windowClass) == FALSE) {
        windowClass.lpfnWndProc = MainWindow::procedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(TALVEX_ICON));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className.c_str();
        if (RegisterClassExW(&windowClass) == 0) {
            throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                    "RegisterClassEx");
        }
    }
    const HWND created = CreateWindowExW(0, className.c_str(), widen(window.caption).c_str(),
                                         kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                         CW_USEDEFAULT, nullptr, nullptr, instance, &random);
    if (created == nullptr) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateWindowEx");
    }
    return created;
}

int runMessageLoop(HWND window) {
    MSG message{};
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) {
            return EXIT_FAILURE;
        }
        if (IsDialogMessageW(window, &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

int controlId(const form::Control& control) {
    return kFirstControlId + static_cast<int>(&control - form::talvex().controls.data());
}

} // namespace talvex::win32
