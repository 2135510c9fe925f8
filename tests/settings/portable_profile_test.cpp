// What the portable store does beyond the shared contract: it rewrites only the line it
// changes, so everything a user typed into the file survives byte for byte.

#include <gtest/gtest.h>

#include <string>

#include "base/file_access.h"
#include "settings/ini_text.h"
#include "settings/portable_profile.h"
#include "support/temp_folder.h"

namespace {

std::wstring SetValue(std::wstring_view text, std::wstring_view section, std::wstring_view key,
                      std::wstring_view value) {
    IniDocument document = IniDocument::Parse(text);
    document.SetValue(section, key, value);
    return document.Text();
}

TEST(IniDocument, BlankLinesIndentationAndCommentsSurviveAChange) {
    const std::wstring before =
        L"; settings\r\n\r\n[Zenvoral]\r\n   Delay = 0.5   \r\n\tLayout1=X\r\n\r\n\r\n[Last]\r\n";
    EXPECT_EQ(
        SetValue(before, L"Zenvoral", L"layout1", L"Y"),
        L"; settings\r\n\r\n[Zenvoral]\r\n   Delay = 0.5   \r\nLayout1=Y\r\n\r\n\r\n[Last]\r\n");
}

TEST(IniDocument, ANewKeyGoesBeforeTheBlankLinesThatEndItsSection) {
    EXPECT_EQ(SetValue(L"[Zenvoral]\r\nA=1\r\n\r\n[Last]\r\nB=2\r\n", L"Zenvoral", L"C", L"3"),
              L"[Zenvoral]\r\nA=1\r\nC=3\r\n\r\n[Last]\r\nB=2\r\n");
    EXPECT_EQ(SetValue(L"[Zenvoral]\r\n\r\n", L"Zenvoral", L"C", L"3"),
              L"[Zenvoral]\r\nC=3\r\n\r\n");
}

TEST(IniDocument, TheFilesOwnLineEndsAreUsedAndALastLineWithoutOneIsEnded) {
    EXPECT_EQ(SetValue(L"[S]\nA=1\n", L"S", L"B", L"2"), L"[S]\nA=1\nB=2\n");
    EXPECT_EQ(SetValue(L"[S]\nA=1", L"S", L"B", L"2"), L"[S]\nA=1\nB=2\n");
    EXPECT_EQ(SetValue(L"[S]\r\nA=1", L"T", L"B", L"2"), L"[S]\r\nA=1\r\n[T]\r\nB=2\r\n");
    EXPECT_EQ(SetValue(L"", L"Zenvoral", L"Delay", L"0.06"), L"[Zenvoral]\r\nDelay=0.06\r\n");
}

TEST(IniDocument, OnlyTheFirstSectionOfANameAndTheFirstLineOfAKeyCount) {
    const IniDocument document =
        IniDocument::Parse(L"[S]\r\nA=1\r\nA=2\r\n[T]\r\nB=0\r\n[s]\r\nB=3\r\n");
    EXPECT_EQ(document.FindValue(L"S", L"A"), L"1");
    EXPECT_EQ(document.FindValue(L"S", L"B"), std::nullopt);
}

TEST(IniDocument, LinesBeforeTheFirstHeaderAndLinesWithoutEqualsSignAreNoKeysOfASection) {
    const IniDocument document = IniDocument::Parse(L"Delay=9\r\n[Zenvoral]\r\nLayout1\r\n");
    EXPECT_EQ(document.FindValue(L"Zenvoral", L"Delay"), std::nullopt);
    EXPECT_EQ(document.FindValue(L"Zenvoral", L"Layout1"), std::nullopt);
    EXPECT_EQ(document.FindValue(L"", L"Delay"), L"9");
}

TEST(IniDocument, AValueMayHoldEqualsSignsAndSemicolons) {
    const IniDocument document = IniDocument::Parse(L"[Zenvoral]\r\nHotKey1=8;=\r\n");
    EXPECT_EQ(document.FindValue(L"Zenvoral", L"HotKey1"), L"8;=");
}

class PortableProfileFile : public ::testing::Test {
  protected:
    TempFolder folder;
    std::wstring file = folder.ProgramPath() + L"\\Zenvoral.ini";
    PortableProfile store;
};

TEST_F(PortableProfileFile, ArabicRoundTripsThroughUtf8) {
    const std::wstring name = L"\u0639\u0631\u0628\u064A (101 Keys)";
    EXPECT_TRUE(store.WriteValue(L"Zenvoral", L"Layout2", name, file));
    EXPECT_EQ(store.ReadValue(L"Zenvoral", L"Layout2", L"", file, 4096), name);
    EXPECT_EQ(ReadFileBytes(file),
              "[Zenvoral]\r\nLayout2=\xD8\xB9\xD8\xB1\xD8\xA8\xD9\x8A (101 Keys)\r\n");
}

TEST_F(PortableProfileFile, AnAnsiFileIsReadInTheAnsiCodePage) {
    ASSERT_TRUE(WriteFileBytes(file,
                               "[Zenvoral]\r\nLayout1=Fran\xE7"
                               "ais\r\n"));
    EXPECT_EQ(store.ReadValue(L"Zenvoral", L"Layout1", L"", file, 4096), L"Fran\u00E7ais");
}

TEST_F(PortableProfileFile, AByteOrderMarkIsKept) {
    ASSERT_TRUE(WriteFileBytes(file, "\xEF\xBB\xBF[Zenvoral]\r\nDelay=0.5\r\n"));
    EXPECT_EQ(store.ReadValue(L"Zenvoral", L"Delay", L"", file, 4096), L"0.5");
    EXPECT_TRUE(store.WriteValue(L"Zenvoral", L"Delay", L"1", file));
    EXPECT_EQ(ReadFileBytes(file), "\xEF\xBB\xBF[Zenvoral]\r\nDelay=1\r\n");
}

TEST_F(PortableProfileFile, ABufferOfZeroOrLessReadsNothing) {
    EXPECT_EQ(store.ReadValue(L"Zenvoral", L"Delay", L"0.06", file, 0), L"");
    EXPECT_EQ(store.ReadValue(L"Zenvoral", L"Delay", L"0.06", file, -5), L"");
}

}  // namespace
