#include <gtest/gtest.h>

#include <set>
#include <string>

#include "hotkeys/hotkey_text.h"
#include "settings/settings_file.h"
#include "support/temp_folder.h"

namespace {

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

struct SpecCase {
    std::wstring raw;
    int32_t modifiers;
    std::wstring keyName;
    int32_t keyCode;
};

// The whole path from settings text to what gets registered: split, mask, name, code.
TEST(HotkeySpec, SettingsTextGivesMaskKeyNameAndKeyCode) {
    const SpecCase cases[] = {
        {L"8;F9", 8, L"F9", 120},   {L" f10 ", 8, L"F10", 121},    {L"6;a", 6, L"A", 65},
        {L"8;;", 8, L";", 186},     {L"8;a;b", 8, L"A;B", 65},     {L"X;F9", 0, L"F9", 120},
        {L"x;F9", 0, L"F9", 120},   {L";F9", 0, L"F9", 120},       {L" 14 ; A ", 14, L"A", 65},
        {L"2.5;A", 2, L"A", 65},    {L"2;F", 2, L"F", 70},         {L"2;F0", 2, L"F0", 70},
        {L"8;F13", 8, L"F13", 124}, {L"8;F24", 8, L"F24", 135},    {L"8;F 9", 8, L"F 9", 120},
        {L"8;FOO", 8, L"FOO", 70},  {L"8;ESC", 8, L"ESC", 69},     {L"8;", 8, L"", 0},
        {L"1;7", 1, L"7", 55},      {L"(none)", 8, L"(NONE)", 40}, {L"0;(NONE)", 0, L"(NONE)", 40},
    };
    for (const SpecCase& c : cases) {
        const HotkeySpecParts parts = SplitHotkeySpec(c.raw);
        EXPECT_EQ(ModifierMaskFromPart(parts.modifierPart), c.modifiers) << Narrow(c.raw);
        const std::wstring keyName = KeyNameFromPart(parts.keyPart);
        EXPECT_EQ(keyName, c.keyName) << Narrow(c.raw);
        EXPECT_EQ(KeyNameToKeyCode(keyName), c.keyCode) << Narrow(c.raw);
    }
}

TEST(HotkeySpec, ABareKeyNameMeansWinPlusThatKey) {
    const HotkeySpecParts parts = SplitHotkeySpec(L" f7 ");
    EXPECT_EQ(parts.modifierPart, L"8");
    EXPECT_EQ(parts.keyPart, L"F7");
}

TEST(HotkeySpec, AMaskTooLargeForThirtyTwoBitsGivesNothing) {
    EXPECT_EQ(ModifierMaskFromPart(L"99999999999"), std::nullopt);
}

TEST(HotkeySpec, IsWrittenAsMaskSemicolonName) {
    EXPECT_EQ(FormatHotkeySpec(8, L"F9"), L"8;F9");
    EXPECT_EQ(FormatHotkeySpec(6, L"A"), L"6;A");
    EXPECT_EQ(FormatHotkeySpec(0, L"(NONE)"), L"0;(NONE)");
}

TEST(HotkeySpec, ReadHotkeySpecReadsTheSettingsKeyOrItsDefault) {
    TempFolder folder;
    const cProfile profile;
    const SettingsFile settings{profile, folder.ProgramPath() + L"\\Zenvoral.ini"};
    HotkeySpecParts parts = ReadHotkeySpec(settings, L"HotKey1", L"8;F9");
    EXPECT_EQ(parts.modifierPart, L"8");
    EXPECT_EQ(parts.keyPart, L"F9");
    ASSERT_TRUE(settings.Write(L"hotkey1", L"4;pgup"));
    parts = ReadHotkeySpec(settings, L"HotKey1", L"8;F9");
    EXPECT_EQ(parts.modifierPart, L"4");
    EXPECT_EQ(parts.keyPart, L"PGUP");
}

TEST(KeyNameToKeyCode, EveryNameOfTheTableHasItsUsKeyboardCode) {
    const struct {
        std::wstring_view name;
        int32_t code;
    } cases[] = {
        {L"BACK", 8}, {L"SPACE", 32}, {L"PGUP", 33}, {L"PGDN", 34}, {L"LEFT", 37},
        {L"UP", 38},  {L"RIGHT", 39}, {L"DOWN", 40}, {L"F1", 112},  {L"F12", 123},
        {L"-", 189},  {L"=", 187},    {L"\\", 220},  {L",", 188},   {L".", 190},
        {L"/", 191},  {L";", 186},    {L"'", 222},   {L"[", 219},   {L"]", 221},
        {L"A", 65},   {L"Z", 90},     {L"0", 48},    {L"9", 57},    {L"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyNameToKeyCode(c.name), c.code) << Narrow(std::wstring(c.name));
    }
}

TEST(KeyNameToKeyCode, NamesAreCaseSensitive) {
    EXPECT_EQ(KeyNameToKeyCode(L"space"), L's');
    EXPECT_EQ(KeyNameToKeyCode(L"f9"), L'f');
}

TEST(HotkeyKeyNames, AreTheSixtySevenNamesInTheDialogsOrderWithDistinctCodes) {
    EXPECT_EQ(kHotkeyKeyNames.front(), L"(NONE)");
    EXPECT_EQ(kHotkeyKeyNames[1], L"F1");
    EXPECT_EQ(kHotkeyKeyNames[12], L"F12");
    EXPECT_EQ(kHotkeyKeyNames[13], L"A");
    EXPECT_EQ(kHotkeyKeyNames[38], L"Z");
    EXPECT_EQ(kHotkeyKeyNames[39], L"0");
    EXPECT_EQ(kHotkeyKeyNames[48], L"9");
    EXPECT_EQ(kHotkeyKeyNames[49], L"-");
    EXPECT_EQ(kHotkeyKeyNames[58], L"/");
    EXPECT_EQ(kHotkeyKeyNames[59], L"SPACE");
    EXPECT_EQ(kHotkeyKeyNames.back(), L"PGDN");
    std::set<int32_t> codes;
    for (size_t i = 1; i < kHotkeyKeyNames.size(); ++i) {
        codes.insert(KeyNameToKeyCode(kHotkeyKeyNames[i]));
    }
    EXPECT_EQ(codes.size(), kHotkeyKeyNames.size() - 1);
}

TEST(HotkeyConflictMessage, NamesCtrlShiftWinInThatOrderButNeverAlt) {
    EXPECT_EQ(HotkeyConflictMessage(8, L"F9"),
              L"Current hotkey Win + F9 is used by another application.\r\n"
              L"Please select another one.");
    EXPECT_EQ(HotkeyConflictMessage(14, L"A"),
              L"Current hotkey Ctrl + Shift + Win + A is used by another application.\r\n"
              L"Please select another one.");
    EXPECT_EQ(HotkeyConflictMessage(1, L"A"),
              L"Current hotkey A is used by another application.\r\nPlease select another one.");
    EXPECT_EQ(HotkeyConflictMessage(3, L"PGUP"),
              L"Current hotkey Ctrl + PGUP is used by another application.\r\n"
              L"Please select another one.");
}

}  // namespace
