#pragma once

#include "app/form.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string_view>

namespace talvex::qt {

// The form's twips in Qt's device-independent pixels of 1/96 inch, which Qt maps to the
// screen's real pixels itself: converting here, and only here, keeps the window's physical
// size at any DPI.
[[nodiscard]] int pixels(int twips);
[[nodiscard]] QRect pixels(const form::Rect& rect);

[[nodiscard]] QString qtText(std::string_view text);
[[nodiscard]] QColor qtColor(form::Rgb rgb);
[[nodiscard]] form::Rgb rgb(const QColor& colour);
// The form's font as every text of the window is drawn in it.
[[nodiscard]] QFont qtFont(const form::Font& font);

} // namespace talvex::qt
