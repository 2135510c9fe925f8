#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>

#include "base/number_text.h"

namespace {

struct WholeNumberCase {
    std::wstring text;
    std::optional<int32_t> expected;
};

TEST(ParseWholeNumber, ReadsDecimalTextAndRoundsToTheNearestInteger) {
    const WholeNumberCase cases[] = {
        {L"1", 1},
        {L"-1", -1},
        {L"+7", 7},
        {L"  42  ", 42},
        {L"\t3\t", 3},
        {L"2.4", 2},
        {L"2.6", 3},
        {L"2.5", 2},  // ties go to the even neighbour
        {L"3.5", 4},
        {L"-0.5", 0},
        {L".5", 0},
        {L"1e2", 100},
        {L"2147483647", 2147483647},
        {L"-2147483648", -2147483648LL},
        {L"2147483648", std::nullopt},
        {L"", std::nullopt},
        {L"   ", std::nullopt},
        {L"yes", std::nullopt},
        {L"1,5", std::nullopt},
        {L"1 2", std::nullopt},
        {L"0x10", std::nullopt},
        {L"inf", std::nullopt},
        {L"nan", std::nullopt},
        {L"+-1", std::nullopt},
        {L"\u0661", std::nullopt},  // Arabic-Indic digit one
    };
    for (const WholeNumberCase& c : cases) {
        EXPECT_EQ(ParseWholeNumber(c.text), c.expected)
            << "text: \"" << std::string(c.text.begin(), c.text.end()) << "\"";
    }
}

TEST(ParseSingle, ReadsTheDelayForms) {
    EXPECT_EQ(ParseSingle(L"0.06"), 0.06f);
    EXPECT_EQ(ParseSingle(L"5"), 5.0f);
    EXPECT_EQ(ParseSingle(L" 0.001 "), 0.001f);
    EXPECT_EQ(ParseSingle(L"-1"), -1.0f);
    EXPECT_EQ(ParseSingle(L"0,06"), std::nullopt);
    EXPECT_EQ(ParseSingle(L""), std::nullopt);
    EXPECT_EQ(ParseSingle(L"1e39"), std::nullopt);
}

TEST(LeadingNumber, TakesTheNumberAtTheStartOrZero) {
    EXPECT_EQ(LeadingNumber(L"8"), 8);
    EXPECT_EQ(LeadingNumber(L"  14 "), 14);
    EXPECT_EQ(LeadingNumber(L"6abc"), 6);
    EXPECT_EQ(LeadingNumber(L"-3"), -3);
    EXPECT_EQ(LeadingNumber(L"2.5x"), 2.5);
    EXPECT_EQ(LeadingNumber(L"1."), 1);
    EXPECT_EQ(LeadingNumber(L"X"), 0);
    EXPECT_EQ(LeadingNumber(L""), 0);
    EXPECT_EQ(LeadingNumber(L"-"), 0);
    EXPECT_EQ(LeadingNumber(L"."), 0);
}

TEST(FormatSingle, WritesTheShortestFormThatReadsBack) {
    EXPECT_EQ(FormatSingle(0.06f), L"0.06");
    EXPECT_EQ(FormatSingle(0.02f), L"0.02");
    EXPECT_EQ(FormatSingle(1.0f), L"1");
    EXPECT_EQ(FormatSingle(0.5f), L"0.5");
    EXPECT_EQ(FormatSingle(0.0f), L"0");
    EXPECT_EQ(FormatSingle(0.1f + 0.2f), L"0.3");
}

// A user whose regional settings write "0,06" still gets "." in the settings file.
class RestoreCLocale {
  public:
    RestoreCLocale() : previous_(std::setlocale(LC_ALL, nullptr)) {}
    ~RestoreCLocale() { std::setlocale(LC_ALL, previous_.c_str()); }

  private:
    std::string previous_;
};

TEST(NumberText, IgnoresTheUsersLocale) {
    const RestoreCLocale restore;
    const bool switched = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr ||
                          std::setlocale(LC_ALL, "German_Germany.1252") != nullptr;
    if (!switched) {
        GTEST_SKIP() << "no comma-decimal locale installed";
    }
    ASSERT_EQ(*std::localeconv()->decimal_point, ',');
    EXPECT_EQ(FormatSingle(0.06f), L"0.06");
    EXPECT_EQ(ParseSingle(L"0.06"), 0.06f);
    EXPECT_EQ(ParseSingle(L"0,06"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber(L"2.6"), 3);
}

}  // namespace
