#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "engine/conversion.h"
#include "engine/layout_loader.h"
#include "recording_layout_ui.h"
#include "support/temp_folder.h"

namespace {

using Entries = std::vector<std::wstring>;

// Key i of section "One (x)" is U+0100 + i, of "Two (y)" U+0200 + i.
std::wstring KeyOf(int section, int position) {
    return std::wstring(1, static_cast<wchar_t>(section * 0x100 + position));
}

std::string UnequalLayouts(int first, int second) {
    std::wstring text = L"[One (x)]\r\n";
    for (int i = 0; i < first; ++i) {
        text += KeyOf(1, i) + L" ";
    }
    text += L"\r\n[Two (y)]\r\n";
    for (int i = 0; i < second; ++i) {
        text += KeyOf(2, i) + L" ";
    }
    return Utf16ToUtf8(text + L"\r\n");
}

class LayoutLoaderTest : public testing::Test {
  protected:
    void WriteLayouts(std::string_view bytes) { folder.WriteFile(L"layouts.txt", bytes); }
    LayoutContext Context() { return LayoutContext{table, folder.ProgramPath(), ui}; }
    void LoadBoth(const std::wstring& first, const std::wstring& second) {
        LayoutContext context = Context();
        ASSERT_TRUE(LoadLayoutNames(context));
        ASSERT_TRUE(LoadLayout(context, first, 1));
        ASSERT_TRUE(LoadLayout(context, second, 2));
        CheckLayoutKeyCounts(context);
    }

    TempFolder folder;
    LayoutTable table;
    RecordingLayoutUi ui;
};

TEST(AddBackslashTest, AppendsOnlyWhenMissing) {
    EXPECT_EQ(AddBackslash(L"C:\\Tools"), L"C:\\Tools\\");
    EXPECT_EQ(AddBackslash(L"C:\\"), L"C:\\");
    EXPECT_EQ(AddBackslash(L""), L"\\");
}

TEST_F(LayoutLoaderTest, MissingFileShowsTheFatalMessageAndEndsTheProgram) {
    LayoutContext context = Context();
    EXPECT_FALSE(GetLayoutsFilePath(context).has_value());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].first,
              L"Cannot find this file: layouts.txt\r\nThe program cannot run without this file!");
    EXPECT_EQ(ui.messages[0].second, MessageIcon::Error);
    EXPECT_EQ(ui.endProgramCalls, 1);

    table.LayoutNames = {L"[kept]"};
    EXPECT_FALSE(LoadLayoutNames(context));
    EXPECT_FALSE(LoadLayout(context, L"A", 1));
    EXPECT_EQ(table.LayoutNames, Entries{L"[kept]"});
    EXPECT_TRUE(ui.captions.empty());
    EXPECT_EQ(ui.endProgramCalls, 3);
}

TEST_F(LayoutLoaderTest, AFolderNamedLayoutsTxtIsNoFile) {
    std::filesystem::create_directory(folder.path() / "layouts.txt");
    EXPECT_FALSE(GetLayoutsFilePath(Context()).has_value());
    EXPECT_EQ(ui.endProgramCalls, 1);
}

TEST_F(LayoutLoaderTest, LoadsNamesKeysAndCaptions) {
    WriteLayouts(
        "\xEF\xBB\xBF[Layout A (demo)]\r\na b c\r\nA B C\r\n[Layout B (demo)]\r\nx y zz\r\nX Y Z");
    LoadBoth(L"Layout A (demo)", L"Layout B (demo)");
    EXPECT_EQ(table.LayoutNames, (Entries{L"[Layout A (demo)]", L"[Layout B (demo)]"}));
    EXPECT_EQ(table.LayoutNameCount, 2);
    EXPECT_EQ(table.Layout1Keys, (Entries{L"a", L"b", L"c", L"A", L"B", L"C"}));
    EXPECT_EQ(table.Layout2Keys, (Entries{L"x", L"y", L"zz", L"X", L"Y", L"Z"}));
    EXPECT_EQ(table.Layout1KeyCount, 6);
    EXPECT_EQ(table.Layout2KeyCount, 6);
    EXPECT_EQ(ui.captions,
              (std::vector<std::pair<int, std::wstring>>{{0, L"&Layout A "}, {1, L"&Layout B "}}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ConvertLayout(table, L"abc", ToLayout2, false), L"xyzz");
}

TEST_F(LayoutLoaderTest, UnknownNameGivesAnEmptyListButKeepsNameAndCaption) {
    WriteLayouts("[A]\na b\n");
    LoadBoth(L"A", L"Missing (x)");
    EXPECT_EQ(table.Layout2Name, L"Missing (x)");
    EXPECT_TRUE(table.Layout2Keys.empty());
    EXPECT_EQ(table.Layout1KeyCount, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].second, MessageIcon::Exclamation);
    EXPECT_EQ(ui.captions.back(), (std::pair<int, std::wstring>{1, L"&Missing "}));
    EXPECT_EQ(ConvertLayout(table, L"ab", ToLayout2, false), L"ab");
}

TEST_F(LayoutLoaderTest, BothLayoutsEmptyGiveNoWarning) {
    WriteLayouts("[A]\n[B]\n<!-- nothing\n");
    LoadBoth(L"A", L"B");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(table.Layout1KeyCount, 0);
}

struct UnequalCase {
    int first;
    int second;
};

void PrintTo(const UnequalCase& c, std::ostream* out) {
    *out << c.first << " and " << c.second;
}

class UnequalCountsTest : public LayoutLoaderTest,
                          public testing::WithParamInterface<UnequalCase> {};

TEST_P(UnequalCountsTest, WarnsOnceAndComparesOnlyTheCommonPositions) {
    const UnequalCase c = GetParam();
    WriteLayouts(UnequalLayouts(c.first, c.second));
    LoadBoth(L"One (x)", L"Two (y)");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].first,
              L"Number of keys under first and second keyboard layout are not equal.\n"
              L"This may cause incorrect converting between both layout!");
    EXPECT_EQ(ui.messages[0].second, MessageIcon::Exclamation);
    EXPECT_EQ(table.Layout1KeyCount, 46);
    EXPECT_EQ(ConvertLayout(table, KeyOf(1, 45), ToLayout2, false), KeyOf(2, 45));
    EXPECT_EQ(ConvertLayout(table, KeyOf(2, 45), ToLayout1, false), KeyOf(1, 45));
    // Entries beyond the shorter list never pair.
    EXPECT_EQ(ConvertLayout(table, KeyOf(1, 46), ToLayout2, false), KeyOf(1, 46));
    EXPECT_EQ(ConvertLayout(table, KeyOf(2, 46), ToLayout1, false), KeyOf(2, 46));
}

INSTANTIATE_TEST_SUITE_P(BothWays, UnequalCountsTest,
                         testing::Values(UnequalCase{47, 46}, UnequalCase{46, 47}),
                         [](const testing::TestParamInfo<UnequalCase>& param) {
                             return std::to_string(param.param.first) + "_" +
                                    std::to_string(param.param.second);
                         });

TEST_F(LayoutLoaderTest, ConversionDuringTheCountWarningLeavesTextUnchanged) {
    // The warning box keeps messages flowing; a hotkey may convert before the count
    // is lowered. Simulate that moment: first list reloaded longer than the second.
    WriteLayouts(UnequalLayouts(47, 46));
    LayoutContext context = Context();
    ASSERT_TRUE(LoadLayout(context, L"Two (y)", 2));
    ASSERT_TRUE(LoadLayout(context, L"One (x)", 1));
    ASSERT_EQ(table.Layout1KeyCount, 47);
    const std::wstring text = KeyOf(1, 46) + L" " + KeyOf(1, 1);
    EXPECT_EQ(ConvertLayout(table, text, ToLayout2, false), text);
    EXPECT_EQ(LookupKeyEntry(table, KeyOf(1, 1), 2), L"");
    CheckLayoutKeyCounts(context);
    EXPECT_EQ(ConvertLayout(table, text, ToLayout2, false), KeyOf(1, 46) + L" " + KeyOf(2, 1));
}

TEST_F(LayoutLoaderTest, SameNameTwiceConvertsNothing) {
    WriteLayouts("[A]\na b\n");
    LoadBoth(L"A", L"A");
    EXPECT_EQ(table.Layout1Keys, table.Layout2Keys);
    EXPECT_EQ(ConvertLayout(table, L"ab", ToLayout2, false), L"ab");
    EXPECT_EQ(ConvertLayout(table, L"ab", ToLayout1, false), L"ab");
}

TEST_F(LayoutLoaderTest, ReloadPicksUpEditedEntries) {
    WriteLayouts("[A]\na\n[B]\nx\n");
    LoadBoth(L"A", L"B");
    WriteLayouts("[A]\na\n[B]\ny\n");
    LoadBoth(L"A", L"B");
    EXPECT_EQ(ConvertLayout(table, L"a", ToLayout2, false), L"y");
}

TEST_F(LayoutLoaderTest, AnsiFileStillLoads) {
    WriteLayouts("[A]\r\ne\r\n[B]\r\n\xE9\r\n");
    LoadBoth(L"A", L"B");
    EXPECT_EQ(table.Layout2Keys, Entries{L"\u00E9"});
}

}  // namespace
