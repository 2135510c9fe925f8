#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <optional>
#include <random>
#include <string>

#include "base/number_text.h"
#include "base/text_encoding.h"

namespace {

TEST(NumberText, ParsesDecimalTextOnly) {
    // Whole numbers round to the nearest, ties to even; U+0661 is an Arabic-Indic digit.
    const auto none = std::nullopt;
    // clang-format off
    const std::tuple<std::wstring, std::optional<int32_t>, std::optional<float>> cases[] = {
        {L"0.06", 0, 0.06f}, {L" +7\t", 7, 7.0f}, {L"-1", -1, -1.0f}, {L"2.5", 2, 2.5f},
        {L"3.5", 4, 3.5f}, {L".5e1", 5, 5.0f}, {L"2147483647", 2147483647, 2147483648.0f},
        {L"2147483648", none, 2147483648.0f}, {L"1e39", none, none}, {L"1e-400", none, none},
        {L"", none, none}, {L"0,06", none, none}, {L"1 2", none, none}, {L"1e", none, none},
        {L"0x10", none, none}, {L"inf", none, none}, {L"\u0661", none, none}};
    // clang-format on
    for (const auto& [text, whole, single] : cases) {
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        EXPECT_EQ(ParseWholeNumber(text), whole);
        EXPECT_EQ(ParseSingle(text), single);
    }
}

TEST(NumberText, FormatsTheShortestTextThatReadsBack) {
    // clang-format off
    const std::pair<float, const wchar_t*> cases[] = {
        {0.06f, L"0.06"}, {1.0f, L"1"}, {0.1f + 0.2f, L"0.3"}, {-0.5f, L"-0.5"}, {0.0f, L"0"},
        {253573776.0f, L"253573776"}, {1e10f, L"1e+10"}, {0.0001f, L"1e-04"},
        {1.5e-5f, L"1.5e-05"}, {3.4028235e38f, L"3.4028235e+38"}};
    // clang-format on
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FormatSingle(value), text);
    }
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        const auto value = std::bit_cast<float>(static_cast<uint32_t>(random()) & 0x7F7FFFFF);
        ASSERT_EQ(ParseSingle(FormatSingle(value)), value) << value;
    }
}

// A user whose regional settings write "0,06" still gets "." in the settings file.
TEST(NumberText, IgnoresTheUsersLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_ALL, "German_Germany.1252") == nullptr) {
        GTEST_SKIP() << "no comma-decimal locale installed";
    }
    EXPECT_EQ(FormatSingle(0.06f), L"0.06");
    EXPECT_EQ(ParseSingle(L"0.06"), 0.06f);
    EXPECT_EQ(ParseWholeNumber(L"2.6"), 3);
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(TextEncoding, RefusesMalformedUtf8AndReplacesIt) {
    for (const char* bad :
         {"h\xFFg", "\xC3", "\xED\xA0\x80", "\xC0\xAF", "\xEF\xBB", "\xF4\x90\x80\x80"}) {
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
    }
    EXPECT_EQ(Utf8ToUtf16("a\xFF\xF0\x9F\x98\x80"), L"a\uFFFD\xD83D\xDE00");
    EXPECT_EQ(Utf16ToUtf8(L"\xD83D\xDE00\xD800"), "\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

}  // namespace
