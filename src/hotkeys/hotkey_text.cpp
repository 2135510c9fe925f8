#include "hotkeys/hotkey_text.h"

#include <utility>

#include "base/text_encoding.h"
#include "engine/layout_file.h"
#include "base/number_text.h"

namespace {

struct NamedKey {
    std::wstring_view name;
    int32_t code;
};

constexpr std::array<NamedKey, 8> kNamedKeys = {{
    {L"BACK", 8},
    {L"SPACE", 32},
    {L"PGUP", 33},
    {L"PGDN", 34},
    {L"LEFT", 37},
    {L"UP", 38},
    {L"RIGHT", 39},
    {L"DOWN", 40},
}};

constexpr std::array<NamedKey, 10> kPunctuationKeys = {{
    {L"-", 189},
    {L"=", 187},
    {L"\\", 220},
    {L",", 188},
    {L".", 190},
    {L"/", 191},
    {L";", 186},
    {L"'", 222},
    {L"[", 219},
    {L"]", 221},
}};

template <size_t N>
std::optional<int32_t> LookUp(const std::array<NamedKey, N>& table, std::wstring_view name) {
    for (const NamedKey& key : table) {
        if (key.name == name) {
            return key.code;
        }
    }
    return std::nullopt;
}

// F1 is 112; the number after "F" is read like a modifier part. "F", "F0" and names
// such as "FOO" are no function keys and fall through to the letter F.
std::optional<int32_t> FunctionKeyCode(std::wstring_view name) {
    if (name.empty() || name.front() != L'F') {
        return std::nullopt;
    }
    const double number = LeadingNumber(TrimBlanks(name.substr(1)));
    if (number == 0) {
        return std::nullopt;
    }
    return RoundToInt32(number + 111);
}

}  // namespace

HotkeySpecParts SplitHotkeySpec(std::wstring_view rawText) {
    std::wstring text = AsciiUpperCase(TrimBlanks(rawText));
    if (text.find(L';') == std::wstring::npos) {
        text.insert(0, L"8;");
    }
    const size_t separator = text.find(L';');
    return {text.substr(0, separator), text.substr(separator + 1)};
}

HotkeySpecParts ReadHotkeySpec(const SettingsFile& settings, const std::wstring& key,
                               const std::wstring& defaultText) {
    return SplitHotkeySpec(settings.Read(key, defaultText));
}

std::optional<int32_t> ModifierMaskFromPart(std::wstring_view modifierPart) {
    return RoundToInt32(LeadingNumber(TrimBlanks(modifierPart)));
}

std::wstring KeyNameFromPart(std::wstring_view keyPart) {
    return std::wstring(TrimBlanks(keyPart));
}

std::wstring FormatHotkeySpec(int32_t modifiers, std::wstring_view keyName) {
    return std::to_wstring(modifiers) + L";" + std::wstring(keyName);
}

int32_t KeyNameToKeyCode(std::wstring_view keyName) {
    if (const auto code = LookUp(kNamedKeys, keyName)) {
        return *code;
    }
    if (const auto code = FunctionKeyCode(keyName)) {
        return *code;
    }
    if (const auto code = LookUp(kPunctuationKeys, keyName)) {
        return *code;
    }
    return keyName.empty() ? 0 : static_cast<int32_t>(static_cast<uint16_t>(keyName.front()));
}

std::wstring HotkeyConflictMessage(int32_t modifiers, std::wstring_view keyName) {
    std::wstring message = L"Current hotkey ";
    if (modifiers & kModControl) {
        message += L"Ctrl + ";
    }
    if (modifiers & kModShift) {
        message += L"Shift + ";
    }
    if (modifiers & kModWin) {
        message += L"Win + ";
    }
    message += keyName;
    message += L" is used by another application.\r\nPlease select another one.";
    return message;
}
