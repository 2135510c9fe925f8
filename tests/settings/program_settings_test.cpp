// Settings as a start-up sees them: load, then save at once.

#include <gtest/gtest.h>

#include <string>

#include "fake_stores.h"
#include "settings/program_settings.h"

namespace {

class ProgramSettingsTest : public ::testing::Test {
  protected:
    void StartUp(const std::wstring& executablePath = L"C:\\Apps\\Zenvoral.exe") {
        LoadSettings(store, settings);
        SaveSettings(store, settings, runValue, executablePath);
    }

    FakeSettingsStore store;
    FakeRunValueStore runValue;
    ProgramSettings settings;
};

TEST_F(ProgramSettingsTest, AFirstStartWritesTheEightDefaultsAndTheRunValue) {
    StartUp();
    const SettingsEntries expected = {{L"Delay", L"0.06"},
                                      {L"AutoSwitchKeyboard", L"1"},
                                      {L"StartWithWindows", L"1"},
                                      {L"HotKey1", L"8;F9"},
                                      {L"Hotkey2", L"8;F10"},
                                      {L"Hotkey3", L"8;F11"},
                                      {L"Layout1", L"English (101 Keys)"},
                                      {L"Layout2", L"Arabic (101 Keys)"}};
    EXPECT_EQ(store.entries, expected);
    EXPECT_EQ(runValue.command, L"C:\\Apps\\Zenvoral.exe");
    EXPECT_EQ(settings.DebugValue, -1);  // not counting
}

// One hand-edited line each; the start writes it back in place, under its own spelling.
TEST_F(ProgramSettingsTest, HandEditedValuesAreReadAndWrittenBackNormalised) {
    const struct {
        std::wstring key;
        std::wstring stored;
        std::wstring written;
    } cases[] = {{L"Delay", L"5", L"1"},
                 {L"Delay", L"0.001", L"0.02"},
                 {L"Delay", L"abc", L"0.06"},
                 {L"Delay", L"1e309", L"0.06"},
                 {L"Delay", L"nan", L"0.06"},
                 {L"AutoSwitchKeyboard", L"yes", L"0"},
                 {L"AutoSwitchKeyboard", L"2.6", L"3"},
                 {L"AutoSwitchKeyboard", L"1x", L"0"},
                 {L"StartWithWindows", L"", L"0"},
                 {L"HotKey1", L"x;F9", L"0;F9"},
                 {L"HotKey2", L"F7", L"8;F7"},
                 {L"hotkey3", L" 2 ; pgdn ", L"2;PGDN"},
                 {L"Hotkey2", L"(none)", L"8;(NONE)"},
                 {L"Hotkey3", L"8;", L"8;"},
                 {L"HotKey1", L"15;F24", L"15;F24"},
                 {L"HotKey1", L"99999999999;F9", L"8;F9"},  // took over plain F9
                 {L"Hotkey2", L"-1;F7", L"8;F10"},
                 {L"Hotkey3", L"16;F7", L"8;F11"},
                 {L"Hotkey3", L"8;F99", L"8;F11"},
                 {L"Hotkey3", L"8;\u0636", L"8;F11"},
                 {L"Layout2", L"", L""},
                 {L"Layout1", L"French (AZERTY)", L"French (AZERTY)"}};
    for (const auto& c : cases) {
        store.entries = {{c.key, c.stored}};
        settings = {};
        StartUp();
        EXPECT_EQ(store.entries.front(), std::make_pair(c.key, c.written)) << c.stored;
        EXPECT_EQ(store.entries.size(), 8u) << c.key;
    }
}

// Off by default and left out of the file until someone turns it on; from then on it
// stays in the file either way.
TEST_F(ProgramSettingsTest, SmartWordsIsWrittenOnlyOnceItHasBeenTurnedOn) {
    StartUp();
    EXPECT_EQ(settings.SmartWords, 0);
    for (const int32_t choice : {1, 0}) {  // the options dialog's OK
        settings.SmartWords = choice;
        SaveSettings(store, settings, runValue, L"C:\\Apps\\Zenvoral.exe");
        StartUp();
        EXPECT_EQ(settings.SmartWords, choice);
        EXPECT_EQ(store.entries.back(),
                  std::make_pair(std::wstring(L"SmartWords"), std::to_wstring(choice)));
    }
}

TEST_F(ProgramSettingsTest, ADelayThatIsNoNumberKeepsTheOneInForce) {
    settings.Delay = 0.3f;
    store.entries = {{L"Delay", L"fast"}};
    EXPECT_FALSE(ReadDelaySetting(store, settings.Delay));
    EXPECT_EQ(settings.Delay, 0.3f);
}

TEST_F(ProgramSettingsTest, StartWithWindowsOffDeletesTheRunValue) {
    runValue.command = L"C:\\old\\Zenvoral.exe";
    store.entries = {{L"StartWithWindows", L"0"}};
    StartUp();
    EXPECT_EQ(runValue.command, std::nullopt);
}

TEST_F(ProgramSettingsTest, EachCopyHasItsOwnSettingsFileAndRunCommand) {
    const struct {
        std::wstring executable;
        std::wstring iniFile;
        std::wstring runCommand;
    } cases[] = {
        {L"C:\\Apps\\Fixer.exe", L"C:\\Apps\\Fixer.ini", L"C:\\Apps\\Fixer.exe"},
        {L"C:\\my.apps\\Zen.v2.EXE", L"C:\\my.apps\\Zen.v2.ini", L"C:\\my.apps\\Zen.v2.exe"},
        {L"C:\\Program Files\\Zenvoral\\Zenvoral.exe", L"C:\\Program Files\\Zenvoral\\Zenvoral.ini",
         L"\"C:\\Program Files\\Zenvoral\\Zenvoral.exe\""}};
    for (const auto& c : cases) {
        EXPECT_EQ(BuildIniFilePath(c.executable), c.iniFile);
        StartUp(c.executable);
        EXPECT_EQ(runValue.command, c.runCommand);
    }
}

TEST_F(ProgramSettingsTest, TheWindowPlaceIsKeptInWholeTwipsAtOrBelowTheEdges) {
    EXPECT_EQ(ReadWindowPosition(store, 14000, 9000).value().TopTwips, 9000);
    WriteWindowState(store, 1234.9, -15.5, 0);
    const SettingsEntries expected = {
        {L"WindowTop", L"-16"}, {L"WindowLeft", L"1234"}, {L"AlwaysVisible", L"0"}};
    EXPECT_EQ(store.entries, expected);
    store.entries[1].second = L"left";
    EXPECT_EQ(ReadWindowPosition(store, 14000, 9000), std::nullopt);
}

}  // namespace
