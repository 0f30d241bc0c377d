#include "pin/pin_commands.h"
#include "tests/support/failing_random.h"
#include "tests/support/scripted_random.h"
#include "tests/support/substitute_window.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace talvex::pin {
namespace {

using test::forProduct;
using test::ScriptedRandom;

// The substitute window that also keeps every text written to the output box, in order.
class RecordingWindow final : public test::SubstituteWindow {
public:
    std::vector<std::string> writes;

    void setOutputText(std::string_view value) override {
        test::SubstituteWindow::setOutputText(value);
        writes.push_back(text);
    }
};

const std::string kResultPrefix = "Генериран нов PIN код:\r\n";

TEST(Generation, DrawsADigitForEveryListWithoutSelectionInListOrder) {
    RecordingWindow window;
    window.text = "anything the box held before";
    ScriptedRandom random{forProduct(3), forProduct(501), forProduct(62.5), forProduct(999.75)};

    command1Click(kChoose, window, random);

    EXPECT_EQ(random.draws, 4);
    EXPECT_EQ(window.lists, (std::array<Row, 4>{3, 1, 2, 0}));
    // Replaced, never appended to, then rewritten after every digit.
    const std::vector<std::string> writes{kResultPrefix,          kResultPrefix + "3",
                                          kResultPrefix + "31",   kResultPrefix + "312",
                                          kResultPrefix + "3120", kResultPrefix + "3120\r\n"};
    EXPECT_EQ(window.writes, writes);
}

TEST(Generation, KeepsTheUserSelectionAndDrawsOnlyForTheOthers) {
    RecordingWindow window;
    window.lists[1] = 7;
    ScriptedRandom random{forProduct(14), forProduct(25), forProduct(36)};

    command1Click(kChoose, window, random);

    EXPECT_EQ(random.draws, 3);
    EXPECT_EQ(window.lists, (std::array<Row, 4>{4, 7, 5, 6}));
    EXPECT_EQ(window.text, kResultPrefix + "4756\r\n");
}

TEST(Generation, DrawsNothingWhenEveryListHasASelectionAndKeepsALeadingZero) {
    RecordingWindow window;
    window.lists = {0, 0, 9, 1};
    ScriptedRandom random{};

    command1Click(kChoose, window, random);

    EXPECT_EQ(random.draws, 0);
    EXPECT_EQ(window.text, kResultPrefix + "0091\r\n");
}

TEST(Generation, PressedTwiceGivesTheSamePinWithoutDrawingAgain) {
    RecordingWindow window;
    ScriptedRandom random{forProduct(1), forProduct(2), forProduct(3), forProduct(4)};

    command1Click(kChoose, window, random);
    const std::string first = window.text;
    command1Click(kChoose, window, random);

    EXPECT_EQ(random.draws, 4);
    EXPECT_EQ(window.text, first);
}

TEST(Generation, PutsListsAndBoxBackWhenTheRandomSourceFailsMidway) {
    RecordingWindow window;
    window.lists = {kNoRow, 4, kNoRow, kNoRow};
    window.text = "before";
    test::FailingRandom random(1); // the first list gets its digit, the third does not

    EXPECT_THROW(command1Click(kChoose, window, random), std::system_error);

    EXPECT_EQ(window.lists, (std::array<Row, 4>{kNoRow, 4, kNoRow, kNoRow}));
    EXPECT_EQ(window.text, "before");
}

TEST(Clearing, EmptiesEverythingSoThatTheNextGenerationDrawsAllFourDigits) {
    RecordingWindow window;
    window.lists = {1, kNoRow, 8, 0};
    window.text = "anything";
    ScriptedRandom random{forProduct(5), forProduct(6), forProduct(7), forProduct(8)};

    command1Click(kClear, window, random);
    EXPECT_EQ(window.lists, (std::array<Row, 4>{kNoRow, kNoRow, kNoRow, kNoRow}));
    EXPECT_EQ(window.text, "");
    EXPECT_EQ(random.draws, 0);

    command1Click(kChoose, window, random);
    EXPECT_EQ(window.text, kResultPrefix + "5678\r\n");
}

TEST(CommandHandler, IgnoresEveryOtherButtonIndex) {
    for (const std::int16_t index : {std::numeric_limits<std::int16_t>::min(), std::int16_t{-1},
                                     std::int16_t{2}, std::numeric_limits<std::int16_t>::max()}) {
        RecordingWindow window;
        window.lists = {kNoRow, 4, kNoRow, 2};
        window.text = "unchanged";
        ScriptedRandom random{};

        command1Click(index, window, random);

        EXPECT_EQ(window.lists, (std::array<Row, 4>{kNoRow, 4, kNoRow, 2})) << index;
        EXPECT_TRUE(window.writes.empty()) << index;
        EXPECT_EQ(random.draws, 0) << index;
    }
}

} // namespace
} // namespace talvex::pin
