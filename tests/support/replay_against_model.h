#pragma once

#include "pin/pin_commands.h"
#include "pin/random_source.h"
#include "tests/support/substitute_window.h"
#include "tests/support/window_model.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

namespace talvex::test {

// Hands the tape's numbers to the PIN logic and counts them.
class TapeRandom final : public pin::RandomSource {
public:
    explicit TapeRandom(const std::vector<float>& tape)
        : tape_(tape) {}

    float next() override { return drawAt(tape_, draws++); }

    std::size_t draws = 0;

private:
    const std::vector<float>& tape_;
};

// Plays `actions` on a substitute window through the command handler and on the model, side by
// side, and compares the lists, the output text and the draws taken after every step. Says
// where they first part, with the whole run, or nothing when they never do.
inline std::optional<std::string> firstDivergence(const std::vector<Action>& actions,
                                                  const std::vector<float>& tape) {
    SubstituteWindow window;
    TapeRandom random(tape);
    WindowModel model;

    const auto show = [](std::ostream& out, const std::array<std::int16_t, 4>& lists,
                         const std::string& text, std::size_t draws) {
        out << "lists " << lists[0] << " " << lists[1] << " " << lists[2] << " " << lists[3]
            << ", text " << quoted(text) << ", " << draws << " drawn";
    };

    for (std::size_t step = 0; step < actions.size(); ++step) {
        // The user's own doings reach the controls directly; only clicks go to the handler.
        std::visit(
            Overloaded{
                [&](const SelectRow& select) { window.setListIndex(select.list, select.row); },
                [&](const TypeText& type) { window.text = type.text; },
                [&](const PressButton& press) { pin::command1Click(press.index, window, random); },
            },
            actions[step]);
        model.apply(actions[step], tape);

        if (window.lists != model.lists || window.text != model.text ||
            random.draws != model.draws) {
            std::ostringstream out;
            out << "after step " << step + 1 << " the window has ";
            show(out, window.lists, window.text, random.draws);
            out << "\n  but should have ";
            show(out, model.lists, model.text, model.draws);
            out << "\n" << describe(actions, tape);
            return out.str();
        }
    }
    return std::nullopt;
}

} // namespace talvex::test
