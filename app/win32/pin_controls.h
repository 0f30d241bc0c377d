#pragma once

#include "pin/controls.h"

#include <array>
#include <windows.h>

namespace talvex::win32 {

// The window's digit lists and output box as the PIN logic works on them. What the program
// changes there it tells screen readers of, without moving the focus.
class PinControls final : public pin::Controls {
public:
    // Takes the lists and the output box from the controls of `window`, created after the form.
    void findIn(HWND window);

    [[nodiscard]] HWND outputBox() const { return output_; }

    [[nodiscard]] pin::Row listIndex(int list) const override;
    void setListIndex(int list, pin::Row row) override;
    [[nodiscard]] std::string outputText() const override;
    void setOutputText(std::string_view text) override;

private:
    std::array<HWND, pin::kDigitLists> lists_{};
    HWND output_ = nullptr;
};

} // namespace talvex::win32
