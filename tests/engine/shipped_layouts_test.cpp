#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/file_access.h"
#include "base/text_encoding.h"
#include "engine/conversion.h"
#include "engine/layout_file.h"
#include "engine/layout_loader.h"
#include "recording_layout_ui.h"

namespace {

const std::wstring kEnglish = L"English (101 Keys)";
const std::wstring kArabic = L"Arabic (101 Keys)";

std::wstring ProgramFolder() {
    const std::wstring path = ExecutablePath();
    return path.substr(0, path.find_last_of(L"\\/"));
}

std::wstring NameOf(const std::wstring& header) {
    return header.substr(1, header.size() - 2);
}

// The layouts.txt that ships beside the executable, loaded as the program loads it.
class ShippedLayoutsTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadLayoutNames(context)) << "layouts.txt must lie beside the test program";
    }
    void Load(const std::wstring& first, const std::wstring& second) {
        ASSERT_TRUE(LoadLayout(context, first, 1));
        ASSERT_TRUE(LoadLayout(context, second, 2));
        CheckLayoutKeyCounts(context);
    }

    LayoutTable table;
    RecordingLayoutUi ui;
    LayoutContext context{table, ProgramFolder(), ui};
};

TEST_F(ShippedLayoutsTest, ListsTheDefaultsFirstAndEightLayoutsInAll) {
    ASSERT_GE(table.LayoutNames.size(), 2u);
    EXPECT_EQ(table.LayoutNames[0], L"[" + kEnglish + L"]");
    EXPECT_EQ(table.LayoutNames[1], L"[" + kArabic + L"]");
    EXPECT_EQ(table.LayoutNameCount, 8);
}

TEST_F(ShippedLayoutsTest, EverySectionMatchesEnglishKeyForKey) {
    for (const std::wstring& header : table.LayoutNames) {
        SCOPED_TRACE(Utf16ToUtf8(header));
        ui.messages.clear();
        Load(kEnglish, NameOf(header));
        EXPECT_EQ(table.Layout1Keys.size(), 94u);
        EXPECT_EQ(table.Layout2Keys.size(), table.Layout1Keys.size());
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(std::none_of(table.Layout2Keys.begin(), table.Layout2Keys.end(),
                                 [](const std::wstring& entry) { return entry.size() > 2; }));
    }
}

TEST_F(ShippedLayoutsTest, EnglishThroughEveryLayoutAndBack) {
    for (const std::wstring& header : table.LayoutNames) {
        SCOPED_TRACE(Utf16ToUtf8(header));
        Load(kEnglish, NameOf(header));
        const std::vector<std::wstring>& english = table.Layout1Keys;
        const std::vector<std::wstring>& other = table.Layout2Keys;
        for (size_t i = 0; i < english.size(); ++i) {
            const bool oneToOne =
                !other[i].empty() && std::count(other.begin(), other.end(), other[i]) == 1;
            if (!oneToOne) {
                continue;
            }
            const std::wstring there = ConvertLayout(table, english[i], ToLayout2, false);
            EXPECT_EQ(there, other[i]);
            EXPECT_EQ(ConvertLayout(table, there, ToLayout1, false), english[i]) << "key " << i;
        }
    }
}

TEST_F(ShippedLayoutsTest, ArabicGreetingTypedOnEnglishKeys) {
    Load(kEnglish, kArabic);
    const std::wstring arabic = ConvertLayout(table, L"hgsghl ugd;l", ToggleLayouts, true);
    EXPECT_EQ(arabic, L"\u0627\u0644\u0633\u0644\u0627\u0645 \u0639\u0644\u064A\u0643\u0645");
    // Lam followed by alef is the lam-alef key, so the way back types "b" for it.
    EXPECT_EQ(ConvertLayout(table, arabic, ToggleLayouts, true), L"hgsbl ugd;l");
    EXPECT_EQ(ConvertLayout(table, L"hgsbl ugd;l", ToggleLayouts, true), arabic);
}

TEST_F(ShippedLayoutsTest, ButtonCaptionsOfTheDefaults) {
    Load(kEnglish, kArabic);
    ASSERT_EQ(ui.captions.size(), 2u);
    EXPECT_EQ(ui.captions[0].second, L"&English ");
    EXPECT_EQ(ui.captions[1].second, L"&Arabic ");
}

}  // namespace
