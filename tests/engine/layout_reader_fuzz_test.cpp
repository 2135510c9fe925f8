#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/conversion.h"
#include "engine/layout_file.h"
#include "engine/layout_loader.h"
#include "recording_layout_ui.h"
#include "support/temp_folder.h"

// Randomised files for the layouts reader, built from the fragments that matter to
// its grammar plus arbitrary bytes. Run under the sanitizers, any out-of-range read
// or undefined behaviour fails the suite; the assertions check what must always hold.
namespace {

const std::vector<std::string> kFragments = {
    "[",    "]",    "[A]",      "[B (x)]", " ",  "  ",           "\r\n",     "\r",       "\n",
    "<!--", "-->",  "a",        "zz",      "\t", "\xEF\xBB\xBF", "\xD9\x84", "\xD8\xA7", "\xC3",
    "\xFF", "\x80", "\xE2\x82", "\0",      "[]", "b c",          "A B",
};

std::string RandomFile(std::mt19937& random) {
    std::string bytes;
    const size_t pieces = random() % 60;
    for (size_t i = 0; i < pieces; ++i) {
        if (random() % 8 == 0) {
            bytes.push_back(static_cast<char>(random() % 256));
        } else {
            bytes += kFragments[random() % kFragments.size()];
        }
    }
    return bytes;
}

std::wstring RandomText(std::mt19937& random) {
    const std::wstring alphabet = L"abzAB\u0644\u0627 \r\n[]";
    std::wstring text(random() % 30, L' ');
    for (wchar_t& c : text) {
        c = alphabet[random() % alphabet.size()];
    }
    return text;
}

TEST(LayoutReaderFuzz, PureParserNeverBreaksItsPromises) {
    std::mt19937 random(1206);
    for (int round = 0; round < 20000; ++round) {
        const std::string bytes = RandomFile(random);
        const std::vector<std::wstring> lines = SplitLines(DecodeLayoutFileBytes(bytes));
        for (const std::wstring& line : lines) {
            ASSERT_EQ(line.find_first_of(L"\r\n"), std::wstring::npos);
        }
        for (const std::wstring& header : ParseLayoutNames(lines)) {
            ASSERT_TRUE(IsSectionHeader(header));
            const std::wstring name = header.substr(1, header.size() - 2);
            for (const std::wstring& entry : ParseLayoutKeys(lines, name)) {
                ASSERT_EQ(entry.find(L' '), std::wstring::npos);
            }
        }
    }
}

TEST(LayoutReaderFuzz, LoadedTablesConvertSafely) {
    std::mt19937 random(612);
    TempFolder folder;
    RecordingLayoutUi ui;
    const std::wstring names[] = {L"A", L"B (x)", L"", L"missing"};
    for (int round = 0; round < 300; ++round) {
        folder.WriteFile(L"layouts.txt", RandomFile(random));
        LayoutTable table;
        LayoutContext context{table, folder.ProgramPath(), ui};
        ASSERT_TRUE(LoadLayoutNames(context));
        ASSERT_TRUE(LoadLayout(context, names[random() % 4], 1));
        ASSERT_TRUE(LoadLayout(context, names[random() % 4], 2));
        CheckLayoutKeyCounts(context);
        ASSERT_LE(static_cast<size_t>(table.Layout1KeyCount), table.Layout1Keys.size());
        ASSERT_LE(static_cast<size_t>(table.Layout1KeyCount), table.Layout2Keys.size());
        for (int mode = -1; mode <= 9; ++mode) {
            const std::wstring text = RandomText(random);
            const std::wstring converted = ApplyConversionMode(table, text, mode, mode == 0);
            if (mode >= 3) {
                ASSERT_EQ(converted.size(), text.size());
            }
        }
    }
    EXPECT_EQ(ui.endProgramCalls, 0);
}

}  // namespace
