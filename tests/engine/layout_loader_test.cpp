#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_access.h"
#include "base/strings.h"
#include "base/text_encoding.h"
#include "engine/conversion.h"
#include "engine/layout_loader.h"
#include "support/temp_folder.h"

namespace {

using Entries = std::vector<std::wstring>;
using namespace std::string_literals;

const std::wstring kPath = L"C:\\Zenvoral\\layouts.txt";

LayoutLoad Parse(std::string_view file, const std::wstring& first, const std::wstring& second) {
    return ParseLayouts(file, first, second, kPath);
}

TEST(LayoutGrammar, KeyEntriesOfSectionA) {
    const std::tuple<const char*, std::string, Entries> cases[] = {
        {"header with blanks around it", "  [A]  \na b", {L"a", L"b"}},
        {"names are case-sensitive", "[a]\nx", {}},
        {"two blanks give an empty entry", "[A]\nq  w", {L"q", L"", L"w"}},
        {"three blanks give two", "[A]\nq   w", {L"q", L"", L"", L"w"}},
        {"lines join like blanks", "[A]\na\nb  c ", {L"a", L"b", L"", L"c"}},
        {"comment lines skipped, indented too", "[A]\na\n  <!-- x y\nb", {L"a", L"b"}},
        {"a marker inside a line is text", "[A]\na <!-- b", {L"a", L"<!--", L"b"}},
        {"a comment has no closing marker", "[A]\n<!-- open\na -->", {L"a", L"-->"}},
        {"a tab is part of an entry", "[A]\na\tb c", {L"a\tb", L"c"}},
        {"empty lines skipped", "[A]\n\n   \na", {L"a"}},
        {"a section ends at its own name repeated", "[A]\na\n[A]\nb", {L"a"}},
        {"the first of duplicates counts", "[B]\nx\n[A]\na\n[A]\nb", {L"a"}},
        {"the last section runs to the end", "[B]\nx\n[A]\na\nb", {L"a", L"b"}},
        {"lines before the first header ignored", "a b\n[A]\nc", {L"c"}},
        {"only comments and empty lines", "[A]\n<!--\n\n", {}},
        {"a lone bracket is no header", "[A]\n[\n]", {L"[", L"]"}},
        {"[] heads a section", "[A]\na\n[]\nb", {L"a"}},
        {"CR LF, CR and LF end lines", "[A]\r\na\rb\nc\r\n[B]\r\nd", {L"a", L"b", L"c"}},
        {"byte-order mark skipped", "\xEF\xBB\xBF[A]\n\xD8\xB3", {L"\u0633"}},
        {"UTF-8 without a mark", "[A]\n\xD8\xB3 \xF0\x9F\x98\x80", {L"\u0633", L"\xD83D\xDE00"}},
        {"not UTF-8: the ANSI code page", "[A]\ncaf\xE9", {L"caf\u00E9"}},
        {"UTF-16LE with its mark", "\xFF\xFE[\0A\0]\0\r\0\n\0\x33\x06"s, {L"\u0633"}},
        {"UTF-16BE with its mark",
         "\xFE\xFF\0[\0A\0]\0\n\x06\x33\0 \xD8\x3D\xDE\x00"s,
         {L"\u0633", L"\xD83D\xDE00"}}};
    for (const auto& [what, file, keys] : cases) {
        EXPECT_EQ(Parse(file, L"A", L"B").Table.Layout1Keys, keys) << what;
    }
}

TEST(LayoutLoad, NamesCaptionsAndCounts) {
    const LayoutLoad load = Parse(
        "[Layout A (demo)]\r\na b c\r\nA B C\r\n[Layout B (demo)]\r\nx y zz\r\nX Y Z\r\n"
        "[Layout A (demo)]\r\n[(x)]",
        L"Layout A (demo)", L"Layout B (demo)");
    EXPECT_EQ(load.Table.LayoutNames, (Entries{L"[Layout A (demo)]", L"[Layout B (demo)]",
                                               L"[Layout A (demo)]", L"[(x)]"}));
    EXPECT_EQ(load.Table.LayoutNameCount, 4);
    EXPECT_EQ(load.Table.Layout2Keys, (Entries{L"x", L"y", L"zz", L"X", L"Y", L"Z"}));
    EXPECT_EQ(load.ButtonCaptions, (std::array<std::wstring, 2>{L"&Layout A ", L"&Layout B "}));
    EXPECT_FALSE(load.Warning.has_value());
    const std::array<std::wstring, 2> plain{L"&Plain", L"&"};
    EXPECT_EQ(Parse("", L"Plain", L"(x) y").ButtonCaptions, plain);
}

TEST(LayoutLoad, SectionsNameTheirLanguage) {
    const LayoutLoad load =
        Parse("[A]\n<!-- language: ar -->\na\n[B]\n<!-- language:fa-->\n<!-- language: he -->",
              L"A", L"B");
    EXPECT_EQ(load.Table.Layout1Keys, Entries{L"a"});
    EXPECT_EQ(load.Table.Layout1Language, L"ar");
    EXPECT_EQ(load.Table.Layout2Language, L"fa");  // the first one counts
    EXPECT_EQ(Parse("[A]\na", L"A", L"B").Table.Layout1Language, L"");
}

TEST(LayoutLoad, UnequalCountsWarnAndPairOnlyTheCommonPositions) {
    std::wstring one, two;  // U+0100 + i and U+0200 + i at position i
    for (wchar_t i = 0; i < 47; ++i) {
        one += static_cast<wchar_t>(0x100 + i);
        two += static_cast<wchar_t>(0x200 + i);
    }
    const auto section = [](std::wstring_view keys, int count) {
        std::wstring line;
        for (const wchar_t key : keys.substr(0, static_cast<size_t>(count))) {
            line += std::wstring{key, L' '};
        }
        return Utf16ToUtf8(line);
    };
    for (const auto& [first, second] : {std::pair{47, 46}, std::pair{46, 47}}) {
        const LayoutLoad load = Parse(
            "[One]\n" + section(one, first) + "\n[Two]\n" + section(two, second), L"One", L"Two");
        EXPECT_EQ(load.Warning, kUnequalKeyCountsMessage) << first << " and " << second;
        // Positions 0 to 45 pair; what stands at 46 has no partner.
        EXPECT_EQ(ConvertLayout(load.Table, one, ToLayout2, false), two.substr(0, 46) + one[46]);
        EXPECT_EQ(ConvertLayout(load.Table, two, ToLayout1, false), one.substr(0, 46) + two[46]);
    }
}

TEST(LayoutLoad, UnknownOrRepeatedNamesConvertNothing) {
    const LayoutLoad load = Parse("[A]\na b\n[B]\n", L"A", L"Missing (x)");
    EXPECT_EQ(load.ButtonCaptions[1], L"&Missing ");
    EXPECT_EQ(load.Warning, L"Cannot find the layout \"Missing (x)\" in this file: " + kPath +
                                L"\r\nPlease select another layout in Options.")
        << "the missing section, not the unequal counts it causes";
    EXPECT_EQ(ConvertLayout(load.Table, L"ab", ToLayout2, false), L"ab");
    EXPECT_FALSE(Parse("[A]\n[B]\n", L"A", L"B").Warning.has_value());
    const LayoutTable same = Parse("[A]\na b\n", L"A", L"A").Table;
    EXPECT_EQ(
        ConvertLayout(same, L"ab", ToLayout2, false) + ConvertLayout(same, L"ab", ToLayout1, false),
        L"abab");
}

// Named in the settings, absent from the file: told, and the defaults take the place.
TEST(LayoutLoad, AMissingLayoutIsToldAndADefaultTakesItsPlace) {
    const std::wstring english = L"English (101 Keys)", arabic = L"Arabic (101 Keys)";
    const auto told = [](const std::wstring& name, const std::wstring& used) {
        return L"Cannot find the layout \"" + name + L"\" in this file: " + kPath +
               L"\r\nThe program uses \"" + used + L"\" instead.";
    };
    const std::tuple<std::wstring, std::wstring, std::wstring, std::wstring, std::wstring> cases[] =
        {{L"Gone", L"Other", english, L"Other", told(L"Gone", english)},
         {L"Other", L"Gone %2", L"Other", arabic, told(L"Gone %2", arabic)},
         {arabic, L"Gone", arabic, english, told(L"Gone", english)},
         {L"Gone", L"Lost", english, arabic,
          told(L"Gone", english) + L"\r\n\r\n" + told(L"Lost", arabic)}};
    for (const auto& [first, second, used1, used2, warning] : cases) {
        const LayoutLoad load =
            Parse("[English (101 Keys)]\na\n[Arabic (101 Keys)]\nb\n[Other]\nc d\n", first, second);
        EXPECT_EQ(load.Table.Layout1Name + L"/" + load.Table.Layout2Name, used1 + L"/" + used2);
        EXPECT_EQ(load.Warning, warning);
        EXPECT_EQ(load.Table.Layout2Keys.size(), used2 == L"Other" ? 2u : 1u);
    }
}

TEST(LayoutLoad, AFileWithoutSectionsIsToldWithItsPath) {
    const std::wstring advice = kNoLayoutsFoundMessage.substr(kNoLayoutsFoundMessage.find(L"\r"));
    for (const std::string& file : {""s, "a b\n<!-- [A]"s, "\x89PNG\r\n\x1A\n\0\0"s,
                                    "[\0A\0]\0\n\0a\0"s, "\xFF\xFE\0[\0A\0]"s}) {
        EXPECT_EQ(Parse(file, L"A", L"B").Warning,
                  L"Cannot find any layout in this file: " + kPath + advice)
            << testing::PrintToString(file);
    }
}

// In the program's folder: no file, or a folder of its name, is missing; an empty file
// is told with its path.
TEST(LayoutLoad, TheFileBesideTheProgram) {
    const TempFolder folder;
    EXPECT_TRUE(LoadLayoutsFile(folder.ProgramPath(), L"A", L"B").FileMissing);
    std::filesystem::create_directory(folder.path() / "layouts.txt");
    EXPECT_TRUE(LoadLayoutsFile(folder.ProgramPath(), L"A", L"B").FileMissing);
    std::filesystem::remove(folder.path() / "layouts.txt");
    const std::wstring path = AddBackslash(folder.ProgramPath()) + L"layouts.txt";
    ASSERT_TRUE(WriteFileBytes(path, ""));
    EXPECT_NE(LoadLayoutsFile(folder.ProgramPath(), L"A", L"B").Warning.value_or(L"").find(path),
              std::wstring::npos);
}

// The layouts.txt that ships, read from beside the test program as the program reads it.
LayoutLoad LoadShipped(const std::wstring& second) {
    return LoadLayoutsFile(FolderOf(ExecutablePath()), L"English (101 Keys)", second);
}

TEST(ShippedLayouts, EveryLayoutPairsWithEnglishKeyForKeyAndBack) {
    const std::vector<std::wstring> names = LoadShipped(L"").Table.LayoutNames;
    ASSERT_EQ(names.size(), 8u) << "layouts.txt must lie beside the test program";
    for (const std::wstring& header : names) {
        const LayoutLoad load = LoadShipped(header.substr(1, header.size() - 2));
        const std::vector<std::wstring>& english = load.Table.Layout1Keys;
        const std::vector<std::wstring>& other = load.Table.Layout2Keys;
        ASSERT_TRUE(other.size() == 94 && !load.Warning) << Utf16ToUtf8(header);
        for (size_t i = 0; i < english.size(); ++i) {
            if (!other[i].empty() && std::count(other.begin(), other.end(), other[i]) == 1) {
                const std::wstring there = ConvertLayout(load.Table, english[i], ToLayout2, false);
                EXPECT_EQ(there, other[i]) << Utf16ToUtf8(header) << " key " << i;
                EXPECT_EQ(ConvertLayout(load.Table, there, ToLayout1, false), english[i]);
            }
        }
    }
}

TEST(ShippedLayouts, ArabicGreetingTypedOnEnglishKeys) {
    const LayoutLoad load = LoadShipped(L"Arabic (101 Keys)");
    EXPECT_EQ(load.ButtonCaptions[0], L"&English ");
    const std::wstring arabic = ConvertLayout(load.Table, L"hgsghl ugd;l", ToggleLayouts, true);
    EXPECT_EQ(arabic, L"\u0627\u0644\u0633\u0644\u0627\u0645 \u0639\u0644\u064A\u0643\u0645");
    // Lam followed by alef is the lam-alef key, so the way back types "b" for it.
    EXPECT_EQ(ConvertLayout(load.Table, arabic, ToggleLayouts, true), L"hgsbl ugd;l");
}

}  // namespace
