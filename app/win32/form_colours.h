#pragma once

#include "owned_handles.h"

#include <vector>
#include <windows.h>

namespace talvex::form {
struct Control;
}

namespace talvex::win32 {

// The colours the form fixes, as the window paints them: its background, and the face of each
// control that sets one with the text colour on it. Under Windows' high contrast they are the
// system's instead.
class FormColours {
public:
    FormColours();

    // Whether Windows gave the brush for the background.
    [[nodiscard]] bool created() const { return background_ != nullptr; }
    [[nodiscard]] HBRUSH background() const;

    struct Face {
        HBRUSH brush; // null where the control keeps the system's colours
        COLORREF colour;
        COLORREF text;
    };
    [[nodiscard]] Face faceOf(const form::Control* control) const;

    // Takes the system's colours, or the form's again, as high contrast is switched on or off.
    void followSystem();

private:
    Brush background_;
    // By the control's place in the form; null where the control keeps the system's colours.
    std::vector<Brush> faces_;
    bool highContrast_;
};

} // namespace talvex::win32
