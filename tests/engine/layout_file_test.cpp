#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/layout_file.h"

namespace {

using Entries = std::vector<std::wstring>;

std::vector<std::wstring> Lines(std::wstring_view text) {
    return SplitLines(text);
}

TEST(LayoutFileLines, EveryKindOfLineEndEndsALine) {
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring> lines;
    };
    const Case cases[] = {
        {L"", {}},
        {L"a", {L"a"}},
        {L"a\r\nb", {L"a", L"b"}},
        {L"a\r\nb\r\n", {L"a", L"b"}},
        {L"a\rb", {L"a", L"b"}},
        {L"a\nb", {L"a", L"b"}},
        {L"a\n\rb", {L"a", L"", L"b"}},
        {L"a\r\n\r\nb", {L"a", L"", L"b"}},
        {L"\r\n", {L""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Lines(c.text), c.lines)
            << "text: " << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(LayoutFileLines, OnlyBlanksAreTrimmed) {
    EXPECT_EQ(TrimBlanks(L"  a b  "), L"a b");
    EXPECT_EQ(TrimBlanks(L"\ta\t"), L"\ta\t");
    EXPECT_EQ(TrimBlanks(L"   "), L"");
    EXPECT_EQ(TrimBlanks(L"\u00A0a\u00A0"), L"\u00A0a\u00A0");
}

TEST(LayoutFileLines, HeadersAndComments) {
    EXPECT_TRUE(IsSectionHeader(L"[English (101 Keys)]"));
    EXPECT_TRUE(IsSectionHeader(L"[]"));
    EXPECT_FALSE(IsSectionHeader(L"["));
    EXPECT_FALSE(IsSectionHeader(L"]"));
    EXPECT_FALSE(IsSectionHeader(L"[a] "));
    EXPECT_TRUE(IsCommentLine(L"<!--"));
    EXPECT_TRUE(IsCommentLine(L"<!--no closing marker needed"));
    EXPECT_FALSE(IsCommentLine(L"<!-"));
    EXPECT_FALSE(IsCommentLine(L"a <!--"));
}

TEST(LayoutFileDecoding, Utf8WithOrWithoutByteOrderMark) {
    EXPECT_EQ(DecodeLayoutFileBytes("\xEF\xBB\xBF\xD8\xB3 a"), L"\u0633 a");
    EXPECT_EQ(DecodeLayoutFileBytes("\xD8\xB3 a"), L"\u0633 a");
    EXPECT_EQ(DecodeLayoutFileBytes("\xF0\x9F\x98\x80"), L"\xD83D\xDE00");
    EXPECT_EQ(DecodeLayoutFileBytes(""), L"");
}

TEST(LayoutFileDecoding, InvalidUtf8IsReadInTheAnsiCodePage) {
    // "café" saved in Windows-1252: 0xE9 alone is not UTF-8.
    EXPECT_EQ(DecodeLayoutFileBytes("caf\xE9"), L"caf\u00E9");
    EXPECT_EQ(DecodeLayoutFileBytes("a b\r\n"), L"a b\r\n");
}

struct KeysCase {
    const char* what;
    std::vector<std::wstring> lines;
    std::wstring name;
    Entries keys;
};

void PrintTo(const KeysCase& c, std::ostream* out) {
    *out << c.what;
}

class LayoutKeysTest : public testing::TestWithParam<KeysCase> {};

TEST_P(LayoutKeysTest, ParsesSection) {
    const KeysCase& c = GetParam();
    EXPECT_EQ(ParseLayoutKeys(c.lines, c.name), c.keys) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, LayoutKeysTest,
    testing::Values(
        KeysCase{
            "header with blanks around it", {L"  [A (demo)]  ", L"a b"}, L"A (demo)", {L"a", L"b"}},
        KeysCase{"header names are case-sensitive",
                 {L"[english (101 keys)]", L"a"},
                 L"English (101 Keys)",
                 {}},
        KeysCase{"two blanks give an empty entry", {L"[A]", L"q  w"}, L"A", {L"q", L"", L"w"}},
        KeysCase{"three blanks give two empty entries",
                 {L"[A]", L"q   w"},
                 L"A",
                 {L"q", L"", L"", L"w"}},
        KeysCase{
            "lines join like blanks", {L"[A]", L"a", L"b c", L"d"}, L"A", {L"a", L"b", L"c", L"d"}},
        KeysCase{"comment line skipped", {L"[A]", L"a", L"<!-- x y", L"b"}, L"A", {L"a", L"b"}},
        KeysCase{"indented comment skipped", {L"[A]", L"a", L"   <!--", L"b"}, L"A", {L"a", L"b"}},
        KeysCase{"comment marker inside a line is text",
                 {L"[A]", L"a <!-- b"},
                 L"A",
                 {L"a", L"<!--", L"b"}},
        KeysCase{"no closing marker: next line is read",
                 {L"[A]", L"<!-- open", L"a -->"},
                 L"A",
                 {L"a", L"-->"}},
        KeysCase{"tab is part of an entry", {L"[A]", L"a\tb c"}, L"A", {L"a\tb", L"c"}},
        KeysCase{"empty lines skipped", {L"[A]", L"", L"  ", L"a"}, L"A", {L"a"}},
        KeysCase{
            "section ends at its own repeated header", {L"[A]", L"a", L"[A]", L"b"}, L"A", {L"a"}},
        KeysCase{"first duplicate wins", {L"[B]", L"x", L"[A]", L"a", L"[A]", L"b"}, L"A", {L"a"}},
        KeysCase{"last section runs to end of file",
                 {L"[A]", L"a", L"[B]", L"b", L"c"},
                 L"B",
                 {L"b", L"c"}},
        KeysCase{"lines before the first header ignored", {L"a b", L"[A]", L"c"}, L"A", {L"c"}},
        KeysCase{
            "only comments and blanks: empty list", {L"[A]", L"<!--", L"   ", L"[B]"}, L"A", {}},
        KeysCase{"empty name matches []", {L"[]", L"a"}, L"", {L"a"}},
        KeysCase{"missing section", {L"[A]", L"a"}, L"B", {}},
        KeysCase{"two-unit entries", {L"[A]", L"x y zz"}, L"A", {L"x", L"y", L"zz"}}),
    [](const testing::TestParamInfo<KeysCase>& param) {
        return "case" + std::to_string(param.index);
    });

TEST(LayoutNames, EveryHeaderTrimmedWithBracketsInOrder) {
    const std::vector<std::wstring> lines = {L"x",   L" [B] ", L"a", L"<!-- [C]",
                                             L"[A]", L"[B]",   L"[", L"]"};
    EXPECT_EQ(ParseLayoutNames(lines), (Entries{L"[B]", L"[A]", L"[B]"}));
}

TEST(LayoutNames, SplitKeyEntries) {
    EXPECT_EQ(SplitKeyEntries(L""), Entries{});
    EXPECT_EQ(SplitKeyEntries(L"a"), Entries{L"a"});
    EXPECT_EQ(SplitKeyEntries(L"a  b"), (Entries{L"a", L"", L"b"}));
}

TEST(LayoutNames, ButtonCaptionIsTheNameUpToItsFirstBracket) {
    EXPECT_EQ(LayoutButtonCaption(L"English (101 Keys)"), L"&English ");
    EXPECT_EQ(LayoutButtonCaption(L"Arabic (101 Keys)"), L"&Arabic ");
    EXPECT_EQ(LayoutButtonCaption(L"Greek"), L"&Greek");
    EXPECT_EQ(LayoutButtonCaption(L"(x) y"), L"&");
    EXPECT_EQ(LayoutButtonCaption(L"a (b) (c)"), L"&a ");
    EXPECT_EQ(LayoutButtonCaption(L""), L"&");
}

}  // namespace
