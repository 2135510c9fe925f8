#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/hotkey_text.h"

namespace {

// From settings text to what gets registered: mask, key name, key code.
TEST(HotkeyText, SettingsTextGivesMaskKeyNameAndKeyCode) {
    const struct {
        std::wstring_view text;
        int32_t modifiers;
        std::wstring_view keyName;
        int32_t keyCode;
    } cases[] = {
        {L"8;F9", 8, L"F9", 120},      {L" f10 ", 8, L"F10", 121},  {L"6;a", 6, L"A", 65},
        {L"8;;", 8, L";", 186},        {L"8;a;b", 8, L"A;B", 65},   {L"x;F9", 0, L"F9", 120},
        {L" 14 ; A ", 14, L"A", 65},   {L"2.5;A", 2, L"A", 65},     {L"2;F", 2, L"F", 70},
        {L"8;F24", 8, L"F24", 135},    {L"8;F 9", 8, L"F 9", 120},  {L"8;FOO", 8, L"FOO", 70},
        {L"8;ESC", 8, L"ESC", 69},     {L"8;", 8, L"", 0},          {L"1;7", 1, L"7", 55},
        {L"8;space", 8, L"SPACE", 32}, {L"8;PGDN", 8, L"PGDN", 34}, {L"8;,", 8, L",", 188},
    };
    for (const auto& c : cases) {
        const std::optional<ParsedHotkeySpec> parsed = ParseHotkeySpec(c.text);
        ASSERT_TRUE(parsed) << std::wstring(c.text);
        EXPECT_EQ(parsed->Modifiers, c.modifiers) << std::wstring(c.text);
        EXPECT_EQ(parsed->KeyName, c.keyName) << std::wstring(c.text);
        EXPECT_EQ(KeyNameToKeyCode(parsed->KeyName), c.keyCode) << std::wstring(c.text);
    }
}

// A slip in the dialog's table would make two names register the same key, or one
// name fall back to its default at the next start.
TEST(HotkeyText, EveryNameTheDialogOffersHasAKeyOfItsOwn) {
    std::set<int32_t> codes;
    for (size_t i = 1; i < kHotkeyKeyNames.size(); ++i) {
        codes.insert(KeyNameToKeyCode(kHotkeyKeyNames[i]));
    }
    EXPECT_EQ(codes.size(), kHotkeyKeyNames.size() - 1);
    EXPECT_FALSE(codes.contains(0));  // 0 names no key
}

}  // namespace
