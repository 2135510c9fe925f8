#include "settings/program_settings.h"

#include <cmath>

#include "engine/layout_loader.h"
#include "hotkeys/hotkey_text.h"
#include "base/number_text.h"

namespace {

const std::wstring kDelayKey = L"Delay";
const std::wstring kDefaultDelay = L"0.06";

struct ProgramFileName {
    std::wstring folder;    // with its trailing "\"
    std::wstring baseName;  // without the extension
};

ProgramFileName SplitExecutablePath(const std::wstring& executablePath) {
    const size_t separator = executablePath.find_last_of(L"\\/");
    const std::wstring folder =
        separator == std::wstring::npos ? std::wstring() : executablePath.substr(0, separator);
    std::wstring name =
        separator == std::wstring::npos ? executablePath : executablePath.substr(separator + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) {
        name.resize(dot);
    }
    return {AddBackslash(folder), name};
}

void ReadWholeNumberSetting(const SettingsFile& settings, const std::wstring& key,
                            const std::wstring& defaultText, int32_t& setting) {
    if (const std::optional<int32_t> value = ParseWholeNumber(settings.Read(key, defaultText))) {
        setting = *value;
    }
}

void LoadHotkeySlot(const SettingsFile& settings, const HotkeySlotDefinition& definition,
                    HotkeySlot& slot) {
    const HotkeySpecParts parts = ReadHotkeySpec(settings, std::wstring(definition.settingsKey),
                                                 std::wstring(definition.defaultSpec));
    slot.KeyName = KeyNameFromPart(parts.keyPart);
    if (const std::optional<int32_t> mask = ModifierMaskFromPart(parts.modifierPart)) {
        slot.Modifiers = *mask;
    }
}

// A failed write is the system's refusal (a read-only file or folder); the settings
// stay in memory and nothing tells the user, as with any other settings problem.
void WriteSetting(const SettingsFile& settings, const std::wstring& key,
                  const std::wstring& value) {
    static_cast<void>(settings.Write(key, value));
}

void SaveRunValue(RegistryStore& registry, const ProgramSettings& program,
                  const std::wstring& executablePath) {
    if (program.StartWithWindows != 0) {
        const std::wstring command = RunValueCommand(ProgramFilePath(executablePath));
        static_cast<void>(
            registry.WriteValue(kRunKeyPath, kRunValueName, command, kRegistryString));
    } else {
        static_cast<void>(registry.DeleteValue(kRunKeyPath, kRunValueName));
    }
}

}  // namespace

std::wstring BuildIniFilePath(const std::wstring& executablePath) {
    const ProgramFileName program = SplitExecutablePath(executablePath);
    return program.folder + program.baseName + L".ini";
}

std::wstring ProgramFilePath(const std::wstring& executablePath) {
    const ProgramFileName program = SplitExecutablePath(executablePath);
    return program.folder + program.baseName + L".exe";
}

std::wstring RunValueCommand(const std::wstring& programFilePath) {
    if (programFilePath.find(L' ') == std::wstring::npos) {
        return programFilePath;
    }
    return L"\"" + programFilePath + L"\"";
}

bool ReadDelaySetting(const SettingsFile& settings, float& Delay) {
    const std::optional<float> value = ParseSingle(settings.Read(kDelayKey, kDefaultDelay));
    if (!value) {
        return false;
    }
    Delay = *value;
    if (kMinimumDelay > Delay) {
        Delay = kMinimumDelay;
    }
    if (Delay > kMaximumDelay) {
        Delay = kMaximumDelay;
    }
    return true;
}

void LoadSettings(const SettingsFile& settings, ProgramSettings& program, LayoutTable& layouts) {
    // A delay that is no number keeps the one in force, so the result is not needed.
    static_cast<void>(ReadDelaySetting(settings, program.Delay));
    ReadWholeNumberSetting(settings, L"AutoSwitchKeyboard", L"1", program.AutoSwitchKeyboard);
    ReadWholeNumberSetting(settings, L"StartWithWindows", L"1", program.StartWithWindows);
    ReadWholeNumberSetting(settings, L"DebugValue", L"-1", program.DebugValue);
    layouts.Layout1Name = settings.Read(L"Layout1", L"English (101 Keys)");
    layouts.Layout2Name = settings.Read(L"Layout2", L"Arabic (101 Keys)");
    for (size_t i = 0; i < kHotkeySlotCount; ++i) {
        LoadHotkeySlot(settings, kHotkeySlotDefinitions[i], program.Slots[i]);
    }
}

void SaveSettings(const SettingsFile& settings, const ProgramSettings& program,
                  const LayoutTable& layouts, RegistryStore& registry,
                  const std::wstring& executablePath) {
    WriteSetting(settings, kDelayKey, FormatSingle(program.Delay));
    WriteSetting(settings, L"AutoSwitchKeyboard", std::to_wstring(program.AutoSwitchKeyboard));
    WriteSetting(settings, L"StartWithWindows", std::to_wstring(program.StartWithWindows));
    for (size_t i = 0; i < kHotkeySlotCount; ++i) {
        const HotkeySlot& slot = program.Slots[i];
        WriteSetting(settings, std::wstring(kHotkeySlotDefinitions[i].writtenKey),
                     FormatHotkeySpec(slot.Modifiers, slot.KeyName));
    }
    WriteSetting(settings, L"Layout1", layouts.Layout1Name);
    WriteSetting(settings, L"Layout2", layouts.Layout2Name);
    SaveRunValue(registry, program, executablePath);
}

std::optional<WindowPosition> ReadWindowPosition(const SettingsFile& settings,
                                                 float defaultLeftTwips, float defaultTopTwips) {
    const std::optional<int32_t> left =
        ParseWholeNumber(settings.Read(L"WindowLeft", FormatSingle(defaultLeftTwips)));
    const std::optional<int32_t> top =
        ParseWholeNumber(settings.Read(L"WindowTop", FormatSingle(defaultTopTwips)));
    if (!left || !top) {
        return std::nullopt;
    }
    return WindowPosition{*left, *top};
}

int32_t ReadAlwaysVisible(const SettingsFile& settings) {
    return RoundToInt32(LeadingNumber(settings.Read(L"AlwaysVisible", L"1"))).value_or(1);
}

void WriteWindowState(const SettingsFile& settings, double leftTwips, double topTwips,
                      int32_t alwaysVisible) {
    const auto wholeTwips = [](double twips) {
        return std::to_wstring(static_cast<long long>(std::floor(twips)));
    };
    WriteSetting(settings, L"WindowTop", wholeTwips(topTwips));
    WriteSetting(settings, L"WindowLeft", wholeTwips(leftTwips));
    WriteSetting(settings, L"AlwaysVisible", std::to_wstring(alwaysVisible));
}
