#include "form_to_qt.h"

#include <cstdint>

namespace talvex::qt {

namespace {
constexpr int kPixelsPerInch = 96;
} // namespace

int pixels(int twips) {
    return (twips * kPixelsPerInch + form::kTwipsPerInch / 2) / form::kTwipsPerInch;
}

QRect pixels(const form::Rect& rect) {
    return {pixels(rect.left), pixels(rect.top), pixels(rect.width), pixels(rect.height)};
}

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor qtColor(form::Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

form::Rgb rgb(const QColor& colour) {
    const QColor sRgb = colour.toRgb();
    return {static_cast<std::uint8_t>(sRgb.red()), static_cast<std::uint8_t>(sRgb.green()),
            static_cast<std::uint8_t>(sRgb.blue())};
}

QFont qtFont(const form::Font& font) {
    QFont result;
    result.setFamilies({qtText(font.face), qtText(font.fallbackFace)});
    // In pixels rather than points, so that text and controls scale alike whatever logical
    // DPI the desktop reports.
    result.setPixelSize(pixels(font.points * form::kTwipsPerPoint));
    result.setWeight(static_cast<QFont::Weight>(font.weight));
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    // Cyrillic and Latin need no shaping, and Windows draws these texts without kerning: mapping
    // characters straight to glyphs looks as Windows does and spares laying out the long text.
    result.setStyleStrategy(QFont::PreferNoShaping);
    return result;
}

} // namespace talvex::qt
