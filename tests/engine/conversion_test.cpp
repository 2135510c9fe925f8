#include <gtest/gtest.h>

#include <string>

#include "base/text_encoding.h"
#include "engine/conversion.h"
#include "engine/layout_loader.h"

namespace {

// Two layouts from the text of their sections: blanks separate entries.
LayoutTable MakeTable(const std::wstring& first, const std::wstring& second) {
    return ParseLayouts(Utf16ToUtf8(L"[1]\n" + first + L"\n[2]\n" + second), L"1", L"2", L"").Table;
}

TEST(ConvertLayout, KeyByKeyPreferringPairs) {
    const wchar_t* const a = L"a b c A B C";
    const wchar_t* const x = L"x y zz X Y Z";
    const wchar_t* const lowest = L"a b  d e f";      // "x" twice, an empty entry
    const wchar_t* const partner = L"x x c  ee abc";  // on each side
    const wchar_t* const h = L"h g";
    const wchar_t* const alef = L"\u0627 \u0644";
    const wchar_t* const semicolon = L"; a";
    const wchar_t* const tonos = L"\u0384 \u03B1";  // a Greek dead key and alpha
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, int, const wchar_t*> cases[] =
        {{a, x, L"abc", ToLayout2, L"xyzz"},
         {a, x, L"xyzz", ToLayout1, L"abc"},
         {a, x, L"zzz", ToLayout1, L"cz"},   // greedy: the pair first; the last z has no entry
         {a, x, L"xZz", ToLayout1, L"aCz"},  // "Zz" is no entry: case counts
         {a, x, L"a b\tc\r\n", ToLayout2, L"x y\tzz\r\n"},
         {a, x, L"q?1 xyz", ToLayout2, L"q?1 xyz"},         // neither in the source layout
         {a, x, L"abc", ToggleLayouts, L"xyzz"},            // the direction from the text:
         {h, alef, L"\u0627\u0644", ToggleLayouts, L"hg"},  // more non-ASCII goes back,
         {h, alef, L"\u0627\u0644 h", ToggleLayouts, L"\u0627\u0644 \u0627"},  // a tie not,
         {h, alef, L"\u0627\u0644\r\n", ToggleLayouts, L"\u0627\u0644\r\n"},   // nor line ends
         {lowest, partner, L"xcee", ToLayout1, L"ace"},           // lowest position wins
         {lowest, partner, L"xcdf", ToLayout2, L"xcdabc"},        // an empty partner is no match
         {lowest, partner, L"abc", ToLayout1, L"abc"},            // longer entries never match
         {semicolon, tonos, L";a;", ToLayout2, L"\u03AC\u0384"},  // dead key and vowel join
         {semicolon, tonos, L"\u03AC", ToLayout1, L";a"}};        // and come apart
    for (const auto& [first, second, text, mode, expected] : cases) {
        const LayoutTable table = MakeTable(first, second);
        EXPECT_EQ(ConvertLayout(table, text, mode, mode == ToggleLayouts), expected)
            << testing::PrintToString(std::wstring(text));
    }
}

TEST(ConvertLayout, ListsShorterThanTheCountLeaveTheTextAlone) {
    LayoutTable table = MakeTable(L"a b", L"x y");
    table.SetKeys(2, {L"x"});  // a table between loading and the count check
    EXPECT_EQ(ConvertLayout(table, L"ab", ToLayout2, false), L"ab");
    EXPECT_EQ(ConvertLayout(table, L"x", ToLayout1, false), L"x");
    EXPECT_EQ(LookupKeyEntry(table, L"a", 2), L"");
}

TEST(CaseConversion, ModesAndTheToggleCycle) {
    using namespace std::string_literals;  // one text holds a NUL
    const std::tuple<std::wstring, int, std::wstring> cases[] = {
        {L"hello world", ToggleCase, L"Hello World"},  // lower, proper, upper, lower...
        {L"Hello World", ToggleCase, L"HELLO WORLD"},
        {L"HELLO WORLD", ToggleCase, L"hello world"},
        {L"  a  ", ToggleCase, L"  A  "},  // judged by the first and last letters after blanks
        {L"A", ToggleCase, L"a"},
        {L"Hello.", ToggleCase, L"hello."},  // no letter last: lower case, and stays there
        {L"\u00E9t\u00E9", ToggleCase, L"\u00E9t\u00E9"},  // only ASCII letters count
        {L"\thello", ToggleCase, L"\thello"},              // only blanks are trimmed
        {L"   ", ToggleCase, L"   "},
        {L"hELLO wORLD\ta\nb\rc\vd\fe\0f jean-paul (x)"s, ProperCase,
         L"Hello World\tA\nB\rC\vD\fE\0F Jean-paul (x)"s},
        {L"az\u00E0\u00FE\u0101\u03B1\u03CE\u0430\u0451 \u0627", UpperCase,
         L"AZ\u00C0\u00DE\u0100\u0391\u038F\u0410\u0401 \u0627"},
        {L"AZ\u00C0\u00DE\u0100\u0391\u038F\u0410\u0401 \u0627", LowerCase,
         L"az\u00E0\u00FE\u0101\u03B1\u03CE\u0430\u0451 \u0627"},
        {L"aBc", 6, L"aBc"},  // no such modes
        {L"aBc", -1, L"aBc"}};
    for (const auto& [text, mode, expected] : cases) {
        EXPECT_EQ(ApplyConversionMode(LayoutTable{}, text, mode, false), expected) << mode;
    }
}

}  // namespace
