#include "form_colours.h"

#include "accessibility.h"
#include "app/form.h"

namespace talvex::win32 {

namespace {

COLORREF colorRef(form::Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

} // namespace

FormColours::FormColours()
    : background_(CreateSolidBrush(colorRef(form::talvex().background)))
    , highContrast_(highContrast()) {
    for (const form::Control& control : form::talvex().controls) {
        faces_.emplace_back(control.background != nullptr
                                ? CreateSolidBrush(colorRef(*control.background))
                                : nullptr);
    }
}

HBRUSH FormColours::background() const {
    return highContrast_ ? GetSysColorBrush(COLOR_BTNFACE) : background_.get();
}

FormColours::Face FormColours::faceOf(const form::Control* control) const {
    const HBRUSH brush =
        control != nullptr
            ? faces_.at(static_cast<std::size_t>(control - form::talvex().controls.data())).get()
            : nullptr;
    if (brush == nullptr) {
        return {nullptr, 0, 0};
    }
    if (highContrast_) {
        return {GetSysColorBrush(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE),
                GetSysColor(COLOR_BTNTEXT)};
    }
    return {brush, colorRef(*control->background), colorRef(form::talvex().textOnFixedBackground)};
}

void FormColours::followSystem() {
    highContrast_ = highContrast();
}

} // namespace talvex::win32
