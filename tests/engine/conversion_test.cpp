#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/case_mapping.h"
#include "engine/conversion.h"

namespace {

using Entries = std::vector<std::wstring>;

LayoutTable MakeTable(Entries first, Entries second) {
    LayoutTable table;
    table.SetKeys(1, std::move(first));
    table.SetKeys(2, std::move(second));
    table.Layout1KeyCount = std::min(table.Layout1KeyCount, table.Layout2KeyCount);
    return table;
}

LayoutTable DemoTable() {
    return MakeTable({L"a", L"b", L"c", L"A", L"B", L"C"}, {L"x", L"y", L"zz", L"X", L"Y", L"Z"});
}

struct ConvertCase {
    const wchar_t* text;
    int mode;
    const wchar_t* expected;
};

TEST(ConvertLayoutTest, DemoLayouts) {
    const LayoutTable table = DemoTable();
    const ConvertCase cases[] = {
        {L"abc", ToLayout2, L"xyzz"},
        {L"xyzz", ToLayout1, L"abc"},
        {L"zzz", ToLayout1, L"cz"},   // the pair wins, the last z has no entry
        {L"xZz", ToLayout1, L"aCz"},  // "Zz" is no entry
        {L"a b\tc\r\n", ToLayout2, L"x y\tzz\r\n"},
        {L"   ", ToLayout2, L"   "},
        {L"q?1 ", ToLayout1, L"q?1 "},
        {L"", ToLayout2, L""},
        {L"ABC abc", ToLayout2, L"XYZ xyzz"},
        {L"xyz", ToLayout2, L"xyz"},      // already in the target layout
        {L"abc", ToggleLayouts, L"abc"},  // no direction without the automatic choice
    };
    for (const ConvertCase& c : cases) {
        EXPECT_EQ(ConvertLayout(table, c.text, c.mode, false), c.expected)
            << "text " << testing::PrintToString(std::wstring(c.text)) << " mode " << c.mode;
    }
}

TEST(ConvertLayoutTest, AutomaticDirectionOverridesTheMode) {
    const LayoutTable table = MakeTable({L"h", L"g"}, {L"\u0627", L"\u0644"});
    EXPECT_EQ(ConvertLayout(table, L"hg", ToLayout1, true), L"\u0627\u0644");
    EXPECT_EQ(ConvertLayout(table, L"\u0627\u0644", ToLayout2, true), L"hg");
    // Blanks count as ASCII: two Arabic letters and two blanks are a tie, which goes
    // from the first layout to the second and so changes nothing here.
    EXPECT_EQ(ConvertLayout(table, L"\u0627 \u0644 ", ToggleLayouts, true), L"\u0627 \u0644 ");
}

TEST(ConvertLayoutTest, LowestPositionWinsAndEmptyPartnersDoNotMatch) {
    const LayoutTable table =
        MakeTable({L"a", L"b", L"", L"d", L"e"}, {L"x", L"x", L"c", L"", L"ee"});
    EXPECT_EQ(LookupKeyEntry(table, L"x", 1), L"a");
    EXPECT_EQ(LookupKeyEntry(table, L"c", 1), L"");  // partner entry is empty
    EXPECT_EQ(LookupKeyEntry(table, L"d", 2), L"");
    EXPECT_EQ(LookupKeyEntry(table, L"ee", 1), L"e");
    EXPECT_EQ(LookupKeyEntry(table, L"", 1), L"");
    EXPECT_EQ(LookupKeyEntry(table, L"a", 3), L"");
    EXPECT_EQ(ConvertLayout(table, L"xcd", ToLayout1, false), L"acd");
}

TEST(ConvertLayoutTest, ComparisonIsExactAndCaseSensitive) {
    const LayoutTable table = MakeTable({L"q", L"Q", L"\u00E9"}, {L"1", L"2", L"3"});
    EXPECT_EQ(ConvertLayout(table, L"qQ", ToLayout2, false), L"12");
    // e + combining acute is not the precomposed entry.
    EXPECT_EQ(ConvertLayout(table, L"e\u0301\u00E9", ToLayout2, false), L"e\u03013");
}

TEST(ConvertLayoutTest, EntriesLongerThanTwoUnitsConvertButNeverMatch) {
    const LayoutTable table = MakeTable({L"a", L"abc"}, {L"xyz", L"b"});
    EXPECT_EQ(ConvertLayout(table, L"a", ToLayout2, false), L"xyz");
    EXPECT_EQ(ConvertLayout(table, L"xyz", ToLayout1, false), L"xyz");
    EXPECT_EQ(ConvertLayout(table, L"abc", ToLayout2, false), L"xyzbc");
}

TEST(ConvertLayoutTest, ZeroCountConvertsNothing) {
    LayoutTable table = DemoTable();
    table.Layout1KeyCount = 0;
    EXPECT_EQ(ConvertLayout(table, L"abc", ToLayout2, false), L"abc");
    EXPECT_EQ(ConvertLayout(LayoutTable{}, L"abc", ToLayout1, false), L"abc");
}

TEST(ConvertLayoutTest, ListsShorterThanTheCountAreNeverRead) {
    LayoutTable table = DemoTable();
    table.SetKeys(2, {L"x"});  // count of the first list still 6
    EXPECT_EQ(ConvertLayout(table, L"abc", ToLayout2, false), L"abc");
    EXPECT_EQ(ConvertLayout(table, L"x", ToLayout1, false), L"x");
    EXPECT_EQ(LookupKeyEntry(table, L"a", 2), L"");
}

// The lookup as a plain scan over the positions, to check the index against.
std::wstring ScanForPartner(const LayoutTable& table, std::wstring_view token, int direction) {
    const Entries& source = direction == 1 ? table.Layout2Keys : table.Layout1Keys;
    const Entries& target = direction == 1 ? table.Layout1Keys : table.Layout2Keys;
    for (int i = 0; i < table.Layout1KeyCount; ++i) {
        if (source[static_cast<size_t>(i)] == token) {
            return target[static_cast<size_t>(i)];
        }
    }
    return {};
}

std::wstring ConvertByScanning(const LayoutTable& table, std::wstring_view text, int direction) {
    std::wstring result;
    for (size_t pos = 0; pos < text.size();) {
        const std::wstring pair = ScanForPartner(table, text.substr(pos, 2), direction);
        if (!pair.empty()) {
            result += pair;
            pos += 2;
            continue;
        }
        const std::wstring single = ScanForPartner(table, text.substr(pos, 1), direction);
        result += single.empty() ? std::wstring(1, text[pos]) : single;
        ++pos;
    }
    return result;
}

TEST(ConvertLayoutTest, IndexedLookupAgreesWithAPlainScan) {
    // Small alphabet so that duplicates, pairs and empty entries are frequent.
    const std::wstring alphabet = L"abcAB\u0644\u0627 ";
    std::mt19937 random(20261206);
    auto randomText = [&](size_t maxLength) {
        std::wstring text(random() % (maxLength + 1), L' ');
        for (wchar_t& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        return text;
    };
    auto randomEntries = [&] {
        Entries entries(random() % 12);
        for (std::wstring& entry : entries) {
            entry = randomText(3);
            std::erase(entry, L' ');
        }
        return entries;
    };
    for (int round = 0; round < 2000; ++round) {
        LayoutTable table = MakeTable(randomEntries(), randomEntries());
        const std::wstring text = randomText(20);
        for (const int direction : {1, 2}) {
            ASSERT_EQ(ConvertLayout(table, text, direction, false),
                      ConvertByScanning(table, text, direction))
                << "round " << round;
        }
    }
}

TEST(DecideDirectionTest, NonAsciiMustOutnumberEverythingElse) {
    EXPECT_EQ(DecideDirection(L""), 2);
    EXPECT_EQ(DecideDirection(L"abc"), 2);
    EXPECT_EQ(DecideDirection(L"\u0627\u0644a "), 2);        // tie
    EXPECT_EQ(DecideDirection(L"\u0627 \u0644 \u0645"), 1);  // three letters, two blanks
    EXPECT_EQ(DecideDirection(L"\u007F\u0080\u0080"), 1);
    EXPECT_EQ(DecideDirection(L"\r\n\u0627"), 2);
}

TEST(DecideCaseModeTest, FirstAndLastAsciiLetters) {
    struct Case {
        const wchar_t* text;
        std::optional<int> mode;
    };
    const Case cases[] = {
        {L"Hello", UpperCase},
        {L"HELLO", LowerCase},
        {L"hello", ProperCase},
        {L"a", ProperCase},
        {L"A", LowerCase},
        {L"123 abc", LowerCase},
        {L"Hello.", LowerCase},
        {L"  hello  ", ProperCase},
        {L"hello World", ProperCase},
        {L"\u00E9t\u00E9", LowerCase},
        {L"", std::nullopt},
        {L"   ", std::nullopt},
        {L"\thello", LowerCase},  // only blanks are trimmed
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecideCaseMode(c.text), c.mode) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(CaseConversionTest, ProperCaseWordsStartOnlyAfterSeparators) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"hELLO wORLD", L"Hello World"},
        {L"one\ttwo\nthree\rfour\vfive\fsix", L"One\tTwo\nThree\rFour\vFive\fSix"},
        {L"jean-paul o'neil (note)", L"Jean-paul O'neil (note)"},
        {L"  two  blanks", L"  Two  Blanks"},
        {L"", L""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ToProperCase(text), expected);
    }
    const std::wstring withNul(L"a\0b", 3);
    EXPECT_EQ(ToProperCase(withNul), std::wstring(L"A\0B", 3));
}

TEST(CaseConversionTest, ToggleCycleGoesLowerProperUpperLower) {
    const LayoutTable table;
    std::wstring text = L"hello world";
    const wchar_t* expected[] = {L"Hello World", L"HELLO WORLD", L"hello world", L"Hello World"};
    for (const wchar_t* step : expected) {
        text = ApplyConversionMode(table, text, ToggleCase, false);
        EXPECT_EQ(text, step);
    }
    EXPECT_EQ(ApplyConversionMode(table, L"Hello.", ToggleCase, false), L"hello.");
    EXPECT_EQ(ApplyConversionMode(table, L"hello.", ToggleCase, false), L"hello.");
    EXPECT_EQ(ApplyConversionMode(table, L"   ", ToggleCase, false), L"   ");
}

TEST(CaseConversionTest, ModesOutsideTheTableChangeNothing) {
    const LayoutTable table = DemoTable();
    for (const int mode : {-1, 6, 7, 9, 100}) {
        EXPECT_EQ(ApplyConversionMode(table, L"abc Abc", mode, false), L"abc Abc") << mode;
    }
    EXPECT_EQ(ApplyConversionMode(table, L"abc", ToLayout2, false), L"xyzz");
    EXPECT_EQ(ApplyConversionMode(table, L"aBc", UpperCase, false), L"ABC");
    EXPECT_EQ(ApplyConversionMode(table, L"aBc", LowerCase, false), L"abc");
    EXPECT_EQ(ApplyConversionMode(table, L"aBc dEF", ProperCase, false), L"Abc Def");
}

TEST(CaseMappingTest, LatinGreekCyrillicMapAndArabicStays) {
    struct Case {
        const wchar_t* lower;
        const wchar_t* upper;
    };
    const Case pairs[] = {
        {L"abcxyz", L"ABCXYZ"},
        {L"\u00E0\u00E9\u00F6\u00FE", L"\u00C0\u00C9\u00D6\u00DE"},
        {L"\u0101\u013A\u0142\u017E\u0151", L"\u0100\u0139\u0141\u017D\u0150"},
        {L"\u03B1\u03C9\u03AC\u03CE\u03CA", L"\u0391\u03A9\u0386\u038F\u03AA"},
        {L"\u0430\u044F\u0451\u045F\u0463", L"\u0410\u042F\u0401\u040F\u0462"},
    };
    for (const Case& c : pairs) {
        EXPECT_EQ(ToUpperText(c.lower), c.upper);
        EXPECT_EQ(ToLowerText(c.upper), c.lower);
    }
    const std::wstring unchanged = L"\u0627\u0644\u0633 123 .,;\u00D7\u00F7 \u05D0";
    EXPECT_EQ(ToUpperText(unchanged), unchanged);
    EXPECT_EQ(ToLowerText(unchanged), unchanged);
    EXPECT_EQ(ToUpperText(L""), L"");
}

}  // namespace
