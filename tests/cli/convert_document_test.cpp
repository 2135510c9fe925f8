#include <gtest/gtest.h>

#include "cli/convert_main.h"
#include "engine/conversion.h"

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Built by appending: GCC 12 at -O3 warns falsely about operator+ on short strings.
std::string Joined(std::string_view first, std::string_view second) {
    std::string text(first);
    text.append(second);
    return text;
}

// h g s l b against their Arabic keys; "لا" is one key typed as two characters.
LayoutTable SmallTable() {
    LayoutTable table;
    table.SetKeys(1, {L"h", L"g", L"s", L"l", L"b"});
    table.SetKeys(2, {L"ا", L"ل", L"س", L"م", L"لا"});
    return table;
}

struct DocumentCase {
    const char* label;
    int mode;
    std::string input;
    std::string expected;
};

TEST(ConvertDocument, ConvertsWholeDocuments) {
    const LayoutTable table = SmallTable();
    const DocumentCase cases[] = {
        {"empty", ToggleLayouts, "", ""},
        {"only a byte-order mark", ToggleLayouts, std::string(kBom), std::string(kBom)},
        {"toggle to Arabic", ToggleLayouts, "hgsbl", "السلام"},
        {"toggle back, pair first", ToggleLayouts, "السلام", "hgsbl"},
        {"line ends of every kind kept", ToLayout2, "h\r\ng\nl\rs\r\n", "ا\r\nل\nم\rس\r\n"},
        {"mark kept in front, not converted", ToLayout2, Joined(kBom, "hg\r\n"),
         Joined(kBom, "ال\r\n")},
        // The direction is chosen once: English keys inside mostly Arabic text stay.
        {"one direction for the whole text", ToggleLayouts, "سلام سلام h", "sbl sbl h"},
        {"a mark in the middle is text", ToLayout2, Joined("h", kBom), Joined("ا", kBom)},
        {"beyond the BMP passes through", ToLayout2, "h\xF0\x9F\x98\x80g", "ا\xF0\x9F\x98\x80ل"},
        {"case modes ignore the layouts", UpperCase, "hello\r\nworld", "HELLO\r\nWORLD"},
        {"proper case after CR LF", ProperCase, "hELLO\r\nwORLD", "Hello\r\nWorld"},
        {"mode outside the table", 6, "hg", "hg"},
    };
    for (const DocumentCase& c : cases) {
        SCOPED_TRACE(c.label);
        const std::optional<std::string> output = ConvertUtf8Document(table, c.input, c.mode);
        ASSERT_TRUE(output.has_value());
        EXPECT_EQ(*output, c.expected);
    }
}

TEST(ConvertDocument, RefusesInvalidUtf8) {
    const LayoutTable table = SmallTable();
    for (const std::string& input :
         {std::string("h\xFFg"), Joined(kBom, "\xC3"), std::string("\xED\xA0\x80"),
          std::string("\xC0\xAF"), std::string("\xEF\xBB")}) {
        EXPECT_FALSE(ConvertUtf8Document(table, input, ToLayout2).has_value());
    }
}

}  // namespace
