#include <gtest/gtest.h>

#include <string>

#include "base/file_access.h"
#include "base/strings.h"
#include "base/text_encoding.h"
#include "engine/layout_loader.h"
#include "engine/smart_conversion.h"

namespace {

// The shipped layouts, which name their languages, from beside the test program.
LayoutTable ShippedLayouts(const std::wstring& second) {
    return LoadLayoutsFile(FolderOf(ExecutablePath()), L"English (101 Keys)", second).Table;
}

struct Case {
    const char* what;
    const wchar_t* layout;
    const wchar_t* typed;
    const wchar_t* meant;
    int lastLayout;
};

TEST(ConvertMistypedWords, JudgesEachWord) {
    const wchar_t* const ar = L"Arabic (101 Keys)";
    const wchar_t* const ru = L"Russian (101 Keys)";
    const wchar_t* const el = L"Greek (101 Keys)";
    const Case cases[] = {
        {"right words before mistyped ones", ar, L"I wrote to him hgsghl ugd;l",
         L"I wrote to him السلام عليكم", 2},
        {"lam-alef typed as two keys", ar, L"hgsghl", L"السلام", 2},
        {"lam-alef typed as one key", ar, L"hgsbl", L"السلام", 2},
        {"lam-alef read back as two keys", ar, L"لاخسف", L"ghost", 1},
        {"a Latin name inside Arabic text", ar, L"مرحبا David كيف حالك", L"مرحبا David كيف حالك",
         0},
        {"digits, addresses and mixed scripts kept", ar, L"hgsghl 2024 a1b www.jkl.com ghمرحبا",
         L"السلام 2024 a1b www.jkl.com ghمرحبا", 2},
        {"one-letter words follow their neighbours", ru, L"z b ns", L"я и ты", 2},
        {"a lone one-letter word is kept", ru, L"Hello b", L"Hello b", 0},
        {"back to the first layout", ru, L"Привет руддщ", L"Привет hello", 1},
        {"an accent typed with its dead key", el, L"kalhm;era", L"καλημέρα", 2},
        {"a word of both languages is kept", ru, L"vs", L"vs", 0},
    };
    for (const Case& c : cases) {
        const SmartConversion result = ConvertMistypedWords(ShippedLayouts(c.layout), c.typed);
        EXPECT_EQ(Utf16ToUtf8(result.Text), Utf16ToUtf8(c.meant)) << c.what;
        EXPECT_EQ(result.LastLayout, c.lastLayout) << c.what;
    }
}

// Without a model for a language the text converts as one, as it always did.
TEST(ConvertMistypedWords, WithoutModelsConvertsTheWholeText) {
    LayoutTable table = ShippedLayouts(L"Arabic (101 Keys)");
    table.Layout2Language.clear();
    const SmartConversion result = ConvertMistypedWords(table, L"I wrote hgsghl");
    EXPECT_EQ(result.Text, L"÷ صقخفث السلام");
    EXPECT_EQ(result.LastLayout, 2);
}

}  // namespace
