#include "announcement.h"

#include "form.h"
#include "pin/pin_commands.h"

namespace talvex::form {

namespace {

bool isDigit(char unit) {
    return unit >= '0' && unit <= '9';
}

} // namespace

std::string announcement(std::int16_t command, std::string_view outputText) {
    if (command == pin::kClear) {
        return std::string(talvex().clearedText);
    }
    if (command != pin::kChoose) {
        return {};
    }
    std::string spoken;
    for (std::size_t at = 0; at < outputText.size(); ++at) {
        const char unit = outputText[at];
        if (unit == '\r' || unit == '\n') {
            if (!spoken.empty() && spoken.back() != ' ') {
                spoken += ' ';
            }
            continue;
        }
        spoken += unit;
        if (isDigit(unit) && at + 1 < outputText.size() && isDigit(outputText[at + 1])) {
            spoken += ' ';
        }
    }
    while (!spoken.empty() && spoken.back() == ' ') {
        spoken.pop_back();
    }
    return spoken;
}

} // namespace talvex::form
