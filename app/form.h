#pragma once

// The window Talvex as data: every number and text it shows, once, for every front end.
// Positions and sizes are in twips (1/1440 inch), from the top left of the client area.

#include <cstdint>
#include <span>
#include <string_view>

namespace talvex::form {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPoint = 20;

// The control arrays. The commands work on the lists and on Text1(kOutputBox).
inline constexpr std::string_view kCommand1 = "Command1";
inline constexpr std::string_view kList1 = "List1";
inline constexpr std::string_view kText1 = "Text1";
inline constexpr std::string_view kLabel1 = "Label1";
inline constexpr std::int16_t kOutputBox = 0;

// The most a text box holds, in UTF-16 code units with CR LF as two: the Windows edit control's
// own limit, kept on every front end so that a paste can neither differ nor freeze the window.
inline constexpr int kTextBoxCapacity = 32767;

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

struct Rect {
    int left;
    int top;
    int width;
    int height;
    [[nodiscard]] constexpr int right() const { return left + width; }
    [[nodiscard]] constexpr int bottom() const { return top + height; }
};

struct Font {
    std::string_view face;
    // Metric-compatible with `face` and carrying Cyrillic, for systems without `face`.
    std::string_view fallbackFace;
    int points;
    int weight; // 400 regular, 700 bold
    bool italic;
    bool underline;
    bool strikeOut;
    int charset; // 204: Cyrillic
};

// A TextBox holds several lines, wrapped, with a vertical scroll bar.
enum class Kind : std::uint8_t { PushButton, ListBox, TextBox, Label };

struct Control {
    Kind kind;
    std::string_view array; // Command1, List1, Text1, Label1
    std::int16_t index;
    Rect rect;
    int tabIndex;
    // A button's or label's caption, or a text box's initial text (CR LF line breaks).
    std::string_view text;
    // Unset: the system's colour for this kind of control.
    const Rgb* background = nullptr;
    bool visible = true;
    // List boxes only: the rows, top to bottom. The empty initializer, here and below, is what
    // lets a control's designated initializer leave the member out unwarned
    // (-Wmissing-field-initializers).
    std::span<const std::string_view> rows = {}; // NOLINT(readability-redundant-member-init)
    // What a screen reader calls a control that has no caption of its own to be called by;
    // nothing on the screen shows it.
    std::string_view accessibleName = {}; // NOLINT(readability-redundant-member-init)
};

struct Window {
    std::string_view name;
    std::string_view caption;
    int clientWidth;
    int clientHeight;
    Rgb background;
    // The text on every background the form fixes (a control's `background`): the system's
    // text colours follow the theme, which a dark one makes light.
    Rgb textOnFixedBackground;
    Font font;
    // Told, over the system's reason, when no PIN can be made because the system's random number
    // generator fails; the program then ends.
    std::string_view noPinText;
    // Said by a screen reader once Clear has emptied the lists and the output box, which
    // otherwise change without a word.
    std::string_view clearedText;
    // In the order in which they are stored, which is not the tab order.
    std::span<const Control> controls;
};

[[nodiscard]] const Window& talvex();

// The control `array`(`index`) of the window; null when there is none.
[[nodiscard]] const Control* find(const Window& window, std::string_view array, int index);

} // namespace talvex::form
