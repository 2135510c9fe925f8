// Settings as a start-up sees them: load, then save at once. The settings file goes
// through the real INI store of the build; the registry is a fake that keeps values.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/file_access.h"
#include "engine/layout_table.h"
#include "settings/program_settings.h"
#include "support/temp_folder.h"

namespace {

class FakeRegistry : public RegistryStore {
  public:
    struct Stored {
        std::wstring text;
        uint32_t type;
    };
    using Name = std::pair<std::wstring, std::wstring>;  // path, value name

    std::wstring ReadValue(const std::wstring& path, const std::wstring& name,
                           const std::wstring& defaultText) override {
        const auto found = values.find({path, name});
        return found == values.end() ? defaultText : found->second.text;
    }
    bool WriteValue(const std::wstring& path, const std::wstring& name,
                    const RegistryVariant& value, uint32_t type) override {
        values[{path, name}] = {std::get<std::wstring>(value), type};
        ++writes;
        return true;
    }
    bool DeleteValue(const std::wstring& path, const std::wstring& name) override {
        values.erase({path, name});
        ++deletes;
        return true;
    }

    const Stored* RunValue() const {
        const auto found = values.find({kRunKeyPath, kRunValueName});
        return found == values.end() ? nullptr : &found->second;
    }

    std::map<Name, Stored> values;
    int writes = 0;
    int deletes = 0;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class ProgramSettingsTest : public ::testing::Test {
  protected:
    std::wstring ExecutableNamed(const std::wstring& name) const {
        return folder.ProgramPath() + L"\\" + name;
    }

    void StartUp(const std::wstring& programPath) {
        const SettingsFile settings{profile, BuildIniFilePath(programPath)};
        LoadSettings(settings, program, layouts);
        SaveSettings(settings, program, layouts, registry, programPath);
    }
    void StartUp() { StartUp(executable); }

    void WriteSettingsFile(std::string_view bytes) const {
        ASSERT_TRUE(WriteFileBytes(BuildIniFilePath(executable), bytes));
    }
    std::vector<std::string> SettingsFileLines() const {
        return Lines(ReadFileBytes(BuildIniFilePath(executable)).value_or(""));
    }
    std::wstring Stored(const std::wstring& key) const {
        return profile.ReadValue(L"Zenvoral", key, L"<missing>", BuildIniFilePath(executable),
                                 4096);
    }

    TempFolder folder;
    std::wstring executable = ExecutableNamed(L"Zenvoral.exe");
    cProfile profile;
    FakeRegistry registry;
    ProgramSettings program;
    LayoutTable layouts;
};

TEST_F(ProgramSettingsTest, AFirstStartWritesTheEightDefaultsAndTheRunValue) {
    StartUp();
    const std::vector<std::string> expected = {
        "[Zenvoral]",
        "Delay=0.06",
        "AutoSwitchKeyboard=1",
        "StartWithWindows=1",
        "HotKey1=8;F9",
        "Hotkey2=8;F10",
        "Hotkey3=8;F11",
        "Layout1=English (101 Keys)",
        "Layout2=Arabic (101 Keys)",
    };
    EXPECT_EQ(SettingsFileLines(), expected);
    ASSERT_NE(registry.RunValue(), nullptr);
    EXPECT_EQ(registry.RunValue()->text, executable);
    EXPECT_EQ(registry.RunValue()->type, kRegistryString);
}

TEST_F(ProgramSettingsTest, AFirstStartHoldsTheDefaultsInMemory) {
    StartUp();
    EXPECT_EQ(program.Delay, 0.06f);
    EXPECT_EQ(program.AutoSwitchKeyboard, 1);
    EXPECT_EQ(program.StartWithWindows, 1);
    EXPECT_EQ(program.DebugValue, -1);
    EXPECT_EQ(layouts.Layout1Name, L"English (101 Keys)");
    EXPECT_EQ(layouts.Layout2Name, L"Arabic (101 Keys)");
    const std::wstring keys[] = {L"F9", L"F10", L"F11"};
    for (size_t i = 0; i < kHotkeySlotCount; ++i) {
        EXPECT_EQ(program.Slots[i].KeyName, keys[i]);
        EXPECT_EQ(program.Slots[i].Modifiers, 8);
        EXPECT_EQ(program.Slots[i].KeyCode, kHotkeyNotRegistered);
    }
}

TEST_F(ProgramSettingsTest, TheDelayIsClampedAndWrittenBackInItsShortestForm) {
    const struct {
        const char* stored;
        float loaded;
        const wchar_t* written;
    } cases[] = {
        {"5", 1.0f, L"1"},     {"0.001", 0.02f, L"0.02"},  {"0.01", 0.02f, L"0.02"},
        {"0.5", 0.5f, L"0.5"}, {" 0.25 ", 0.25f, L"0.25"}, {"-3", 0.02f, L"0.02"},
        {"1", 1.0f, L"1"},     {"0.02", 0.02f, L"0.02"},
    };
    for (const auto& c : cases) {
        WriteSettingsFile(std::string("[Zenvoral]\r\nDelay=") + c.stored + "\r\n");
        program = {};
        StartUp();
        EXPECT_EQ(program.Delay, c.loaded) << c.stored;
        EXPECT_EQ(Stored(L"Delay"), c.written) << c.stored;
    }
}

TEST_F(ProgramSettingsTest, ADelayThatIsNoNumberKeepsTheOneInForce) {
    WriteSettingsFile("[Zenvoral]\r\nDelay=0,5\r\n");
    program.Delay = 0.3f;
    StartUp();
    EXPECT_EQ(program.Delay, 0.3f);
    EXPECT_EQ(Stored(L"Delay"), L"0.3");
}

TEST_F(ProgramSettingsTest, ReadDelaySettingSeesAHandEditWithoutARestart) {
    const SettingsFile settings{profile, BuildIniFilePath(executable)};
    float delay = 0;
    EXPECT_TRUE(ReadDelaySetting(settings, delay));
    EXPECT_EQ(delay, 0.06f);  // no file at all
    WriteSettingsFile("[Zenvoral]\r\nDelay=0.5\r\n");
    EXPECT_TRUE(ReadDelaySetting(settings, delay));
    EXPECT_EQ(delay, 0.5f);
    WriteSettingsFile("[Zenvoral]\r\nDelay=fast\r\n");
    EXPECT_FALSE(ReadDelaySetting(settings, delay));
    EXPECT_EQ(delay, 0.5f);
}

TEST_F(ProgramSettingsTest, StartWithWindowsOffDeletesTheRunValue) {
    registry.values[{kRunKeyPath, kRunValueName}] = {L"C:\\old\\Zenvoral.exe", kRegistryString};
    WriteSettingsFile("[Zenvoral]\r\nStartWithWindows=0\r\n");
    StartUp();
    EXPECT_EQ(registry.RunValue(), nullptr);
    EXPECT_EQ(registry.writes, 0);
    EXPECT_EQ(Stored(L"StartWithWindows"), L"0");
}

TEST_F(ProgramSettingsTest, EveryStartRewritesTheRunValueWithThePathOfThisCopy) {
    registry.values[{kRunKeyPath, kRunValueName}] = {L"C:\\old\\Zenvoral.exe", kRegistryString};
    StartUp();
    ASSERT_NE(registry.RunValue(), nullptr);
    EXPECT_EQ(registry.RunValue()->text, executable);
}

TEST_F(ProgramSettingsTest, OnOffSettingsThatAreNoNumberStayOff) {
    WriteSettingsFile("[Zenvoral]\r\nAutoSwitchKeyboard=yes\r\nStartWithWindows=\r\n");
    StartUp();
    EXPECT_EQ(program.AutoSwitchKeyboard, 0);
    EXPECT_EQ(program.StartWithWindows, 0);
    EXPECT_EQ(Stored(L"AutoSwitchKeyboard"), L"0");
    EXPECT_EQ(Stored(L"StartWithWindows"), L"0");
    EXPECT_EQ(registry.RunValue(), nullptr);
}

TEST_F(ProgramSettingsTest, WholeNumberSettingsRoundFractions) {
    WriteSettingsFile("[Zenvoral]\r\nAutoSwitchKeyboard=2.6\r\nDebugValue= 4.5 \r\n");
    StartUp();
    EXPECT_EQ(program.AutoSwitchKeyboard, 3);
    EXPECT_EQ(program.DebugValue, 4);
    EXPECT_EQ(Stored(L"AutoSwitchKeyboard"), L"3");
}

TEST_F(ProgramSettingsTest, TheUsageCounterIsReadButNeverWrittenBySaving) {
    StartUp();
    EXPECT_EQ(Stored(L"DebugValue"), L"<missing>");
    WriteSettingsFile("[Zenvoral]\r\nDebugValue=12\r\n");
    StartUp();
    EXPECT_EQ(program.DebugValue, 12);
    EXPECT_EQ(Stored(L"DebugValue"), L"12");
}

TEST_F(ProgramSettingsTest, HotkeyTextsAreNormalisedWhenSavedBack) {
    WriteSettingsFile("[Zenvoral]\r\nHotKey1=x;F9\r\nHotKey2=F7\r\nHotKey3= 6 ; a \r\n");
    StartUp();
    EXPECT_EQ(program.Slots[0].Modifiers, 0);
    EXPECT_EQ(program.Slots[0].KeyName, L"F9");
    EXPECT_EQ(program.Slots[1].Modifiers, 8);
    EXPECT_EQ(program.Slots[1].KeyName, L"F7");
    EXPECT_EQ(program.Slots[2].Modifiers, 6);
    EXPECT_EQ(program.Slots[2].KeyName, L"A");
    EXPECT_EQ(Stored(L"HotKey1"), L"0;F9");
    EXPECT_EQ(Stored(L"HotKey2"), L"8;F7");
    EXPECT_EQ(Stored(L"HotKey3"), L"6;A");
}

TEST_F(ProgramSettingsTest, AHotkeyKeyInLowerCaseIsReadAsItsSlotAndKeepsOneLine) {
    WriteSettingsFile("[Zenvoral]\r\nhotkey3=2;pgdn\r\n");
    StartUp();
    EXPECT_EQ(program.Slots[2].KeyName, L"PGDN");
    EXPECT_EQ(program.Slots[2].Modifiers, 2);
    const std::vector<std::string> lines = SettingsFileLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "hotkey3=2;PGDN"), 1);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) {
                                return line.rfind("Hotkey3", 0) == 0 ||
                                       line.rfind("HotKey3", 0) == 0;
                            }),
              0);
}

TEST_F(ProgramSettingsTest, NoHotkeyIsSavedAsZeroMaskAndNone) {
    WriteSettingsFile("[Zenvoral]\r\nHotKey2=(none)\r\nHotKey3=0;(NONE)\r\n");
    StartUp();
    EXPECT_EQ(Stored(L"Hotkey2"), L"8;(NONE)");
    EXPECT_EQ(Stored(L"Hotkey3"), L"0;(NONE)");
}

TEST_F(ProgramSettingsTest, LayoutNamesAreKeptExactly) {
    WriteSettingsFile("[Zenvoral]\r\nLayout1=French (AZERTY)\r\nLayout2=\r\n");
    StartUp();
    EXPECT_EQ(layouts.Layout1Name, L"French (AZERTY)");
    EXPECT_EQ(layouts.Layout2Name, L"");
    EXPECT_EQ(Stored(L"Layout1"), L"French (AZERTY)");
    EXPECT_EQ(Stored(L"Layout2"), L"");
}

TEST_F(ProgramSettingsTest, ACopyUnderAnotherNameUsesItsOwnSettingsFileAndRunPath) {
    const std::wstring copy = ExecutableNamed(L"Fixer.exe");
    StartUp(copy);
    EXPECT_TRUE(FileExists(folder.ProgramPath() + L"\\Fixer.ini"));
    EXPECT_FALSE(FileExists(folder.ProgramPath() + L"\\Zenvoral.ini"));
    ASSERT_NE(registry.RunValue(), nullptr);
    EXPECT_EQ(registry.RunValue()->text, copy);
}

TEST_F(ProgramSettingsTest, ASettingsFileThatCannotBeWrittenChangesNothingElse) {
    const std::wstring unwritable = folder.ProgramPath() + L"\\missing\\Zenvoral.exe";
    StartUp(unwritable);
    EXPECT_EQ(program.Delay, 0.06f);
    ASSERT_NE(registry.RunValue(), nullptr);
}

TEST(SettingsPaths, TheSettingsFileIsNamedAfterTheProgramFile) {
    const struct {
        std::wstring executable;
        std::wstring iniFile;
        std::wstring programFile;
    } cases[] = {
        {L"C:\\Apps\\Zenvoral.exe", L"C:\\Apps\\Zenvoral.ini", L"C:\\Apps\\Zenvoral.exe"},
        {L"C:\\Zenvoral.exe", L"C:\\Zenvoral.ini", L"C:\\Zenvoral.exe"},
        {L"C:\\Apps\\Zen.v2.EXE", L"C:\\Apps\\Zen.v2.ini", L"C:\\Apps\\Zen.v2.exe"},
        {L"D:\\My Tools\\Fixer.exe", L"D:\\My Tools\\Fixer.ini", L"D:\\My Tools\\Fixer.exe"},
        {L"\\opt\\zenvoral\\zenvoral", L"\\opt\\zenvoral\\zenvoral.ini",
         L"\\opt\\zenvoral\\zenvoral.exe"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildIniFilePath(c.executable), c.iniFile);
        EXPECT_EQ(ProgramFilePath(c.executable), c.programFile);
    }
}

TEST(SettingsPaths, ARunCommandWithABlankIsQuoted) {
    EXPECT_EQ(RunValueCommand(L"C:\\Apps\\Zenvoral.exe"), L"C:\\Apps\\Zenvoral.exe");
    EXPECT_EQ(RunValueCommand(L"C:\\Program Files\\Zenvoral\\Zenvoral.exe"),
              L"\"C:\\Program Files\\Zenvoral\\Zenvoral.exe\"");
}

TEST_F(ProgramSettingsTest, AProgramInAFolderWithABlankStartsByItsQuotedPath) {
    const std::filesystem::path spaced = folder.path() / "Program Files";
    std::filesystem::create_directories(spaced);
    const std::wstring spacedExecutable = spaced.wstring() + L"\\Zenvoral.exe";
    StartUp(spacedExecutable);
    ASSERT_NE(registry.RunValue(), nullptr);
    EXPECT_EQ(registry.RunValue()->text, L"\"" + spacedExecutable + L"\"");
}

class WindowStateTest : public ProgramSettingsTest {
  protected:
    SettingsFile settings{profile, BuildIniFilePath(executable)};
};

TEST_F(WindowStateTest, MissingEntriesGiveTheDefaultsAndThePinOn) {
    const std::optional<WindowPosition> position = ReadWindowPosition(settings, 14000, 9000);
    ASSERT_TRUE(position);
    EXPECT_EQ(position->LeftTwips, 14000);
    EXPECT_EQ(position->TopTwips, 9000);
    EXPECT_EQ(ReadAlwaysVisible(settings), 1);
}

TEST_F(WindowStateTest, APositionThatIsNoNumberLeavesTheWindowWhereItIs) {
    WriteSettingsFile("[Zenvoral]\r\nWindowLeft=left\r\nWindowTop=300\r\nAlwaysVisible=0x\r\n");
    EXPECT_EQ(ReadWindowPosition(settings, 14000, 9000), std::nullopt);
    EXPECT_EQ(ReadAlwaysVisible(settings), 0);
}

TEST_F(WindowStateTest, ShutdownWritesWholeTwipsAtOrBelowTheEdges) {
    WriteWindowState(settings, 1234.9, -15.5, 0);
    const std::vector<std::string> expected = {"[Zenvoral]", "WindowTop=-16", "WindowLeft=1234",
                                               "AlwaysVisible=0"};
    EXPECT_EQ(SettingsFileLines(), expected);
    const std::optional<WindowPosition> position = ReadWindowPosition(settings, 0, 0);
    ASSERT_TRUE(position);
    EXPECT_EQ(position->LeftTwips, 1234);
    EXPECT_EQ(position->TopTwips, -16);
}

}  // namespace
