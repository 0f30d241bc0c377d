#pragma once

#include "pin/controls.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace talvex::test {

// The window as plain memory: four digit lists and the output box, nothing else.
class SubstituteWindow : public pin::Controls {
public:
    std::array<pin::Row, pin::kDigitLists> lists{pin::kNoRow, pin::kNoRow, pin::kNoRow,
                                                 pin::kNoRow};
    std::string text;

    [[nodiscard]] pin::Row listIndex(int list) const override {
        return lists.at(static_cast<std::size_t>(list));
    }
    void setListIndex(int list, pin::Row row) override {
        lists.at(static_cast<std::size_t>(list)) = row;
    }
    [[nodiscard]] std::string outputText() const override { return text; }
    void setOutputText(std::string_view value) override { text = value; }
};

} // namespace talvex::test
