#include "form_to_win32.h"

#include "utf16.h"

#include <string>

namespace talvex::win32 {

int pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, form::kTwipsPerInch);
}

int screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

HFONT createFont(const form::Font& font, int dpi) {
    LOGFONTW logFont{};
    logFont.lfHeight = -pixels(font.points * form::kTwipsPerPoint, dpi);
    logFont.lfWeight = font.weight;
    logFont.lfItalic = font.italic ? TRUE : FALSE;
    logFont.lfUnderline = font.underline ? TRUE : FALSE;
    logFont.lfStrikeOut = font.strikeOut ? TRUE : FALSE;
    logFont.lfCharSet = static_cast<BYTE>(font.charset);
    // Where the face is missing, Windows (and Wine) fall back to a serif of this family.
    logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    const std::wstring face = widen(font.face);
    face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&logFont);
}

} // namespace talvex::win32
