#include "pin_commands.h"

#include "digit_rule.h"

#include <array>
#include <cstddef>
#include <string>

namespace talvex::pin {

void command1Click(std::int16_t index, Controls& controls, RandomSource& random) {
    switch (index) {
    case kChoose:
        generatePin(controls, random);
        break;
    case kClear:
        clearPin(controls);
        break;
    default:
        break;
    }
}

namespace {

void completePin(Controls& controls, RandomSource& random) {
    controls.setOutputText(std::string(kHeader) + std::string(kLineBreak));

    for (int list = 0; list < kDigitLists; ++list) {
        Row digit = controls.listIndex(list);
        if (digit == kNoRow) {
            digit = digitFromRandom(random.next());
            controls.setListIndex(list, digit);
        }
        // The box is the only record of the PIN so far: append to what it holds.
        controls.setOutputText(controls.outputText() + static_cast<char>('0' + digit));
    }

    controls.setOutputText(controls.outputText() + std::string(kLineBreak));
}

} // namespace

void generatePin(Controls& controls, RandomSource& random) {
    std::array<Row, kDigitLists> rows{};
    for (int list = 0; list < kDigitLists; ++list) {
        rows.at(static_cast<std::size_t>(list)) = controls.listIndex(list);
    }
    const std::string text = controls.outputText();
    try {
        completePin(controls, random);
    } catch (...) {
        for (int list = 0; list < kDigitLists; ++list) {
            controls.setListIndex(list, rows.at(static_cast<std::size_t>(list)));
        }
        controls.setOutputText(text);
        throw;
    }
}

void clearPin(Controls& controls) {
    for (int list = 0; list < kDigitLists; ++list) {
        controls.setListIndex(list, kNoRow);
    }
    controls.setOutputText({});
}

} // namespace talvex::pin
