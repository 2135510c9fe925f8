#include "settings/program_settings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>
#include <variant>

#include "base/number_text.h"

namespace {

constexpr std::wstring_view kDelayKey = L"Delay";
constexpr std::wstring_view kDefaultDelay = L"0.06";
constexpr std::wstring_view kDebugValueKey = L"DebugValue";
constexpr float kMinimumDelay = 0.02f;
constexpr float kMaximumDelay = 1.0f;

// Where a setting lives in ProgramSettings, which also says how its text converts.
struct DelaySetting {};  // clamped on reading, shortest text on writing
struct HotkeySetting {
    size_t slot;
};
using WholeNumberSetting = int32_t ProgramSettings::*;  // a fraction goes to the nearest
using TextSetting = std::wstring ProgramSettings::*;    // taken as it stands
using SettingPlace = std::variant<DelaySetting, WholeNumberSetting, TextSetting, HotkeySetting>;

enum class SaveRule {
    Always,
    OnceTurnedOn,  // a file that never had it on stays as a first start wrote it
    Never,
};

struct SettingKey {
    std::wstring_view key;
    std::wstring_view defaultText;
    SettingPlace place;
    SaveRule saved = SaveRule::Always;
};

constexpr SettingKey HotkeyKey(size_t slot) {
    const HotkeySlotDefinition& definition = kHotkeySlotDefinitions[slot];
    return {definition.settingsKey, definition.defaultSpec, HotkeySetting{slot}};
}

// In the order SaveSettings writes them, which is the order of a new file's lines.
constexpr std::array<SettingKey, 10> kSettingKeys = {{
    {kDelayKey, kDefaultDelay, DelaySetting{}},
    {L"AutoSwitchKeyboard", L"1", &ProgramSettings::AutoSwitchKeyboard},
    {L"StartWithWindows", L"1", &ProgramSettings::StartWithWindows},
    HotkeyKey(0),
    HotkeyKey(1),
    HotkeyKey(2),
    {L"Layout1", L"English (101 Keys)", &ProgramSettings::Layout1Name},
    {L"Layout2", L"Arabic (101 Keys)", &ProgramSettings::Layout2Name},
    // Advanced after conversions (WriteDebugValue); a save would start a count nobody
    // asked for.
    {kDebugValueKey, L"-1", &ProgramSettings::DebugValue, SaveRule::Never},
    {L"SmartWords", L"0", &ProgramSettings::SmartWords, SaveRule::OnceTurnedOn},
}};

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};

std::optional<float> ClampedDelay(std::wstring_view text) {
    const std::optional<float> delay = ParseSingle(text);
    if (!delay) {
        return std::nullopt;
    }
    return std::clamp(*delay, kMinimumDelay, kMaximumDelay);
}

// A hand edit that names no key or has a stray modifier bit gets the action's default
// rather than a hotkey that does nothing or takes over a plain key.
void ApplyHotkeySpec(std::wstring_view text, size_t slot, HotkeySlots& slots) {
    std::optional<ParsedHotkeySpec> parsed = ParseHotkeySpec(text);
    if (!parsed) {
        parsed = ParseHotkeySpec(kHotkeySlotDefinitions[slot].defaultSpec);
    }
    slots[slot].KeyName = std::move(parsed->KeyName);
    slots[slot].Modifiers = parsed->Modifiers;
}

void LoadSetting(const SettingsStore& store, const SettingKey& setting, ProgramSettings& settings) {
    const std::wstring text =
        store.Read(std::wstring(setting.key), std::wstring(setting.defaultText));
    std::visit(
        Overloaded{
            [&](DelaySetting) {
                // No number: the default, not the 0 the settings start at, which a save keeps.
                settings.Delay = ClampedDelay(text).value_or(*ClampedDelay(setting.defaultText));
            },
            [&](WholeNumberSetting field) {
                if (const std::optional<int32_t> number = ParseWholeNumber(text)) {
                    settings.*field = *number;
                }
            },
            [&](TextSetting field) { settings.*field = text; },
            [&](HotkeySetting hotkey) { ApplyHotkeySpec(text, hotkey.slot, settings.Slots); },
        },
        setting.place);
}

std::wstring SettingText(const SettingKey& setting, const ProgramSettings& settings) {
    return std::visit(
        Overloaded{
            [&](DelaySetting) { return FormatSingle(settings.Delay); },
            [&](WholeNumberSetting field) { return std::to_wstring(settings.*field); },
            [&](TextSetting field) { return settings.*field; },
            [&](HotkeySetting hotkey) {
                const HotkeySlot& slot = settings.Slots[hotkey.slot];
                return FormatHotkeySpec(slot.Modifiers, slot.KeyName);
            },
        },
        setting.place);
}

// A failed write is the system's refusal (a read-only file or folder); the settings stay
// in memory and nothing tells the user, as with any other settings problem.
void WriteSetting(SettingsStore& store, const std::wstring& key, const std::wstring& value) {
    static_cast<void>(store.Write(key, value));
}

bool IsSavedNow(const SettingsStore& store, const SettingKey& setting,
                const ProgramSettings& settings) {
    switch (setting.saved) {
        case SaveRule::Always:
            return true;
        case SaveRule::OnceTurnedOn:
            return SettingText(setting, settings) != setting.defaultText ||
                   !store.Read(std::wstring(setting.key), L"").empty();
        case SaveRule::Never:
            return false;
    }
    return false;
}

std::wstring WithExtension(const std::wstring& path, std::wstring_view extension) {
    const size_t separator = path.find_last_of(L"\\/");
    const size_t nameStart = separator == std::wstring::npos ? 0 : separator + 1;
    const size_t dot = path.find_last_of(L'.');
    const bool hasExtension = dot != std::wstring::npos && dot > nameStart;
    return path.substr(0, hasExtension ? dot : path.size()) + std::wstring(extension);
}

// Unquoted, the system would try "C:\Program.exe" first for "C:\Program Files\...".
std::wstring RunValueCommand(const std::wstring& executablePath) {
    const std::wstring programFile = WithExtension(executablePath, L".exe");
    if (programFile.find(L' ') == std::wstring::npos) {
        return programFile;
    }
    return L"\"" + programFile + L"\"";
}

}  // namespace

std::wstring BuildIniFilePath(const std::wstring& executablePath) {
    return WithExtension(executablePath, L".ini");
}

bool ReadDelaySetting(const SettingsStore& store, float& delay) {
    const std::optional<float> clamped =
        ClampedDelay(store.Read(std::wstring(kDelayKey), std::wstring(kDefaultDelay)));
    if (clamped) {
        delay = *clamped;
    }
    return clamped.has_value();
}

void LoadSettings(const SettingsStore& store, ProgramSettings& settings) {
    for (const SettingKey& setting : kSettingKeys) {
        LoadSetting(store, setting, settings);
    }
}

void SaveSettings(SettingsStore& store, const ProgramSettings& settings, RunValueStore& runValue,
                  const std::wstring& executablePath) {
    for (const SettingKey& setting : kSettingKeys) {
        if (IsSavedNow(store, setting, settings)) {
            WriteSetting(store, std::wstring(setting.key), SettingText(setting, settings));
        }
    }
    // Like a refused settings write, a refused registry change goes unreported.
    if (settings.StartWithWindows != 0) {
        static_cast<void>(runValue.WriteRunValue(RunValueCommand(executablePath)));
    } else {
        static_cast<void>(runValue.DeleteRunValue());
    }
}

void WriteDebugValue(SettingsStore& store, int32_t debugValue) {
    WriteSetting(store, std::wstring(kDebugValueKey), std::to_wstring(debugValue));
}

std::optional<WindowPosition> ReadWindowPosition(const SettingsStore& store, float defaultLeftTwips,
                                                 float defaultTopTwips) {
    const std::optional<int32_t> left =
        ParseWholeNumber(store.Read(L"WindowLeft", FormatSingle(defaultLeftTwips)));
    const std::optional<int32_t> top =
        ParseWholeNumber(store.Read(L"WindowTop", FormatSingle(defaultTopTwips)));
    if (!left || !top) {
        return std::nullopt;
    }
    return WindowPosition{*left, *top};
}

int32_t ReadAlwaysVisible(const SettingsStore& store) {
    return RoundToInt32(LeadingNumber(store.Read(L"AlwaysVisible", L"1"))).value_or(1);
}

void WriteWindowState(SettingsStore& store, double leftTwips, double topTwips,
                      int32_t alwaysVisible) {
    const auto wholeTwips = [](double twips) {
        return std::to_wstring(static_cast<long long>(std::floor(twips)));
    };
    WriteSetting(store, L"WindowTop", wholeTwips(topTwips));
    WriteSetting(store, L"WindowLeft", wholeTwips(leftTwips));
    WriteSetting(store, L"AlwaysVisible", std::to_wstring(alwaysVisible));
}
