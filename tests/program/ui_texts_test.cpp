#include "program/ui_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(VersionTextTest, MinorAndRevisionFollowEachOtherWithoutSeparator) {
    EXPECT_EQ(VersionText({1, 6, 0}), L"1.60");
    EXPECT_EQ(VersionText({2, 1, 3}), L"2.13");
    EXPECT_EQ(VersionText({1, 10, 12}), L"1.1012");
}

TEST(VersionTextTest, CaptionsNameTitleAndVersion) {
    EXPECT_EQ(MainWindowCaption({1, 6, 0}), L"Zenvoral 1.60");
    EXPECT_EQ(AboutVersionLine({1, 6, 0}), L"Version: 1.60");
    EXPECT_EQ(AboutVersionLine({2, 1, 3}), L"Version: 2.13");
    EXPECT_EQ(AboutCaption(), L"About Zenvoral");
}

TEST(TrayTipTextTest, NamesBothLayoutsInBrackets) {
    EXPECT_EQ(TrayTipText(L"English (101 Keys)", L"Arabic (101 Keys)"),
              L"Zenvoral [English (101 Keys) / Arabic (101 Keys)]");
}

TEST(TrayTipTextTest, LongNamesAreCutToSixtyThreeCharacters) {
    const std::wstring first(30, L'a');
    const std::wstring second(30, L'b');
    const std::wstring tip = TrayTipText(first, second);
    ASSERT_EQ(tip.size(), kTrayTipMaxLength);
    EXPECT_EQ(tip, (L"Zenvoral [" + first + L" / " + second).substr(0, 63));
}

TEST(TrayTipTextTest, ExactlySixtyThreeCharactersStayWhole) {
    // "Zenvoral [" + " / " + "]" is 14 characters.
    const std::wstring tip = TrayTipText(std::wstring(25, L'x'), std::wstring(24, L'y'));
    EXPECT_EQ(tip.size(), 63u);
    EXPECT_EQ(tip.back(), L']');
}

TEST(ConversionButtonToolTipTest, LayoutButtonsNameTheirCaptionWithoutAccessKeys) {
    EXPECT_EQ(ConversionButtonToolTip(0, L"&English "), L"Converts the selected text to English ");
    EXPECT_EQ(ConversionButtonToolTip(1, L"&Ara&bic"), L"Converts the selected text to Arabic");
    EXPECT_EQ(ConversionButtonToolTip(1, L""), L"Converts the selected text to ");
}

TEST(ConversionButtonToolTipTest, CaseButtonsHaveFixedTexts) {
    EXPECT_EQ(ConversionButtonToolTip(2, L"ignored"), L"Converts the selected text to upper case.");
    EXPECT_EQ(ConversionButtonToolTip(3, L""), L"Converts the selected text to lower case.");
    EXPECT_EQ(ConversionButtonToolTip(4, L""),
              L"Capitalize first character of each word in the selected text.");
    EXPECT_EQ(ConversionButtonToolTip(5, L""), L"");
    EXPECT_EQ(ConversionButtonToolTip(-1, L""), L"");
}

}  // namespace
