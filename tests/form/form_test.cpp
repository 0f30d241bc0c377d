#include "app/announcement.h"
#include "app/form.h"
#include "app/text_capacity.h"
#include "pin/controls.h"
#include "pin/pin_commands.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace talvex::form {
namespace {

std::size_t characters(std::string_view utf8) {
    return static_cast<std::size_t>(std::ranges::count_if(
        utf8, [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U; }));
}

// The text split at CR LF; fails the test on a CR or LF that is not part of a pair, or on a
// last line without its CR LF.
std::vector<std::string_view> crlfLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find("\r\n");
        if (end == std::string_view::npos) {
            ADD_FAILURE() << "text does not end with CR LF";
            break;
        }
        const std::string_view line = text.substr(0, end);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << line;
        lines.push_back(line);
        text.remove_prefix(end + 2);
    }
    return lines;
}

const Control& control(std::string_view array, int index) {
    const Control* found = find(talvex(), array, index);
    if (found == nullptr) {
        throw std::out_of_range(std::string(array) + "(" + std::to_string(index) + ") is missing");
    }
    return *found;
}

std::string name(const Control& c) {
    return std::string(c.array) + "(" + std::to_string(c.index) + ")";
}

TEST(FormTexts, DescriptionHasItsEightLinesWithTheirExactBlanks) {
    const std::string_view text = control(kText1, kOutputBox).text;
    EXPECT_EQ(characters(text), 703U);

    const auto lines = crlfLines(text);
    ASSERT_EQ(lines.size(), 8U);
    EXPECT_TRUE(lines[0].starts_with("PIN е съкращение от Personal Identification Number."));
    EXPECT_TRUE(lines[0].ends_with("формиране са: "));
    EXPECT_TRUE(lines[1].ends_with("поредни цифри  и др"));
    EXPECT_TRUE(lines[3].starts_with("Чрез  проекта"));
    EXPECT_TRUE(lines[6].starts_with("а) ")); // Cyrillic а and б, not Latin a and 6
    EXPECT_TRUE(lines[7].starts_with("б) "));
    // Exactly the two doubled blanks of lines 2 and 4.
    std::size_t doubled = 0;
    for (auto at = text.find("  "); at != std::string_view::npos; at = text.find("  ", at + 1)) {
        ++doubled;
    }
    EXPECT_EQ(doubled, 2U);
}

TEST(FormTexts, QuotationEndsWithABlankBeforeItsLineBreak) {
    const std::string_view text = control(kText1, 1).text;
    EXPECT_EQ(characters(text), 114U);
    EXPECT_TRUE(text.starts_with("Неприятното в това да си първият"));
    EXPECT_TRUE(text.ends_with("колко трудно е било. \r\n"));
    EXPECT_EQ(crlfLines(text).size(), 1U);
}

TEST(FormTexts, CaptionIsAnExampleAddressTwoBlanksAndTheTitle) {
    const std::string_view caption = talvex().caption;
    const auto gap = caption.find("  ");
    ASSERT_NE(gap, std::string_view::npos);
    const std::string_view address = caption.substr(0, gap);
    EXPECT_TRUE(address.starts_with("https://")) << address;
    EXPECT_TRUE(address.ends_with(".example.org")) << address;
    EXPECT_EQ(caption.substr(gap + 2), "ИТ - генериране на PIN код");
}

TEST(FormControls, DigitListsStandSideBySideAndRowKReadsAsDigitK) {
    const Control& first = control(kList1, 0);
    for (int i = 0; i < pin::kDigitLists; ++i) {
        const Control& list = control(kList1, i);
        EXPECT_EQ(list.kind, Kind::ListBox);
        EXPECT_EQ(list.rect.left, first.rect.left + 600 * i);
        EXPECT_EQ(list.rect.top, first.rect.top);
        ASSERT_EQ(list.rows.size(), 10U);
        for (std::size_t k = 0; k < list.rows.size(); ++k) {
            EXPECT_EQ(list.rows[k], std::string(1, static_cast<char>('0' + k)));
        }
    }
    EXPECT_EQ(find(talvex(), kList1, pin::kDigitLists), nullptr) << "one list per digit";

    // The buttons stand right of the lists, Choose level with their tops.
    const Control& choose = control(kCommand1, 0);
    EXPECT_EQ(choose.rect.top, first.rect.top);
    EXPECT_GT(choose.rect.left, control(kList1, 3).rect.right());
    EXPECT_GT(control(kCommand1, 1).rect.top, choose.rect.bottom());
}

TEST(FormControls, OnlyTheQuotationBoxIsHiddenAndOnlyItLeavesTheClientArea) {
    const Window& window = talvex();
    for (const Control& c : window.controls) {
        const bool quotation = c.array == kText1 && c.index == 1;
        EXPECT_EQ(c.visible, !quotation) << name(c);
        EXPECT_EQ(c.rect.right() <= window.clientWidth, !quotation) << name(c);
        EXPECT_LE(c.rect.bottom(), window.clientHeight) << name(c);
        // Whole pixels at 96 DPI, so no front end has to round.
        for (const int twips : {c.rect.left, c.rect.top, c.rect.width, c.rect.height}) {
            EXPECT_EQ(twips % 15, 0) << name(c);
        }
    }
    EXPECT_EQ(control(kText1, 1).rect.right() - window.clientWidth, 165);
}

TEST(TextCapacity, CutsAsMuchAsFitsButNeverASurrogatePairOrACrLf) {
    const std::u16string_view text = u"ab\r\nc\U0001F600d";
    EXPECT_EQ(fittingLength(text, 99), text.size());
    EXPECT_EQ(fittingLength(text, 2), 2U);
    EXPECT_EQ(fittingLength(text, 3), 2U) << "CR without its LF";
    EXPECT_EQ(fittingLength(text, 4), 4U);
    EXPECT_EQ(fittingLength(text, 6), 5U) << "half of a surrogate pair";
    EXPECT_EQ(fittingLength(text, 7), 7U);
    EXPECT_EQ(fittingLength(text, 0), 0U);
}

TEST(Announcement, SpellsThePinDigitByDigitAndTellsAClearing) {
    EXPECT_EQ(announcement(pin::kChoose, "Генериран нов PIN код:\r\n2783\r\n"),
              "Генериран нов PIN код: 2 7 8 3");
    EXPECT_EQ(announcement(pin::kClear, ""), talvex().clearedText);
    EXPECT_EQ(announcement(2, "anything"), "");
}

} // namespace
} // namespace talvex::form
