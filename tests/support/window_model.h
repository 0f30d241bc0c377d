#pragma once

// What a user can do to the window, and what the window must then show, worked out here on
// its own so that it can judge the PIN logic: nothing in this file calls into pin/.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace talvex::test {

// Picks `row` in List1(list); -1 deselects it.
struct SelectRow {
    int list = 0;
    std::int16_t row = -1;
};

// Clicks Command1(index), whatever the index.
struct PressButton {
    std::int16_t index = 0;
};

// Replaces the output box's text, as typing or pasting into it can.
struct TypeText {
    std::string text;
};

using Action = std::variant<SelectRow, PressButton, TypeText>;

template <class... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };
template <class... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

// The numbers a run draws, in order, from the start again when they run out.
inline float drawAt(const std::vector<float>& tape, std::size_t draw) {
    return tape[draw % tape.size()];
}

// The digit for a draw, in integers. Every float from 2^-11 up is a whole multiple of 2^-34;
// below that the truncation loses nothing that matters, as 1000 r stays under one half.
inline std::int16_t modelDigit(float r) {
    constexpr int kScale = 34;
    const auto units = static_cast<std::uint64_t>(std::ldexp(static_cast<double>(r), kScale));
    const std::uint64_t product = 1000 * units;
    const std::uint64_t half = std::uint64_t{1} << (kScale - 1);
    const std::uint64_t fraction = product & (2 * half - 1);
    std::uint64_t rounded = product >> kScale;
    if (fraction > half || (fraction == half && rounded % 2 == 1)) {
        ++rounded;
    }
    return static_cast<std::int16_t>(rounded % 10);
}

// The lists, the output text and the number of draws taken, as they must be after each action.
struct WindowModel {
    std::array<std::int16_t, 4> lists{-1, -1, -1, -1};
    std::string text;
    std::size_t draws = 0;

    void apply(const Action& action, const std::vector<float>& tape) {
        std::visit(Overloaded{
                       [&](const SelectRow& select) { lists.at(select.list) = select.row; },
                       [&](const TypeText& type) { text = type.text; },
                       [&](const PressButton& press) {
                           if (press.index == 0) {
                               std::string digits;
                               for (std::int16_t& row : lists) {
                                   if (row == -1) {
                                       row = modelDigit(drawAt(tape, draws++));
                                   }
                                   digits += static_cast<char>('0' + row);
                               }
                               text = "Генериран нов PIN код:\r\n" + digits + "\r\n";
                           } else if (press.index == 1) {
                               lists.fill(-1);
                               text.clear();
                           }
                       },
                   },
                   action);
    }
};

// The length of the whole UTF-8 sequence of two to four bytes that starts at text[at], or 0
// where none does.
inline std::size_t multiByteLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC2   ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    for (std::size_t next = 1; next < length; ++next) {
        if ((static_cast<unsigned char>(text[at + next]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

// Text in quotes: well-formed UTF-8 as it is, Cyrillic included; control characters and stray
// bytes escaped.
inline std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t length = multiByteLength(text, i); length != 0) {
            out += text.substr(i, length);
            i += length;
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '"' || byte == '\\') {
            out += {'\\', text[i]};
        } else if (byte < 0x20 || byte >= 0x7F) {
            std::array<char, 5> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\x%02X", byte);
            out += escaped.data();
        } else {
            out += text[i];
        }
        ++i;
    }
    return out + "\"";
}

inline std::string describe(const Action& action) {
    return std::visit(Overloaded{
                          [](const SelectRow& select) {
                              return "select List1(" + std::to_string(select.list) + ") " +
                                     (select.row == -1 ? "none"
                                                       : "row " + std::to_string(select.row));
                          },
                          [](const PressButton& press) {
                              return "press Command1(" + std::to_string(press.index) + ")";
                          },
                          [](const TypeText& type) { return "type " + quoted(type.text); },
                      },
                      action);
}

// The whole run, one action a line, then the draws, each exact to the last bit.
inline std::string describe(const std::vector<Action>& actions, const std::vector<float>& tape) {
    std::ostringstream out;
    out.precision(9);
    for (std::size_t step = 0; step < actions.size(); ++step) {
        out << "  " << step + 1 << ". " << describe(actions[step]) << "\n";
    }
    out << "  draws:";
    for (const float r : tape) {
        out << " " << r;
    }
    return out.str();
}

} // namespace talvex::test
