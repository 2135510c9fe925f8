#include "settings/hotkey_text.h"

#include "base/number_text.h"
#include "base/strings.h"
#include "base/text_encoding.h"

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

constexpr int32_t kNoKey = 0;
constexpr int32_t kF1 = 112;
constexpr int32_t kF24 = 135;
constexpr int32_t kAllModifiers = kModAlt | kModControl | kModShift | kModWin;

// "F" and a number as LeadingNumber reads it ("F9", "F 9"); kNoKey for a number no
// function key has ("F0", "F99"). "F" and names such as "FOO" are no function keys and
// go by their first letter.
std::optional<int32_t> FunctionKeyCode(std::wstring_view name) {
    if (name.empty() || name.front() != L'F') {
        return std::nullopt;
    }
    const std::wstring_view number = name.substr(1);
    const size_t start = number.find_first_not_of(L" \t");
    if (start == std::wstring_view::npos ||
        std::wstring_view(L"+-.0123456789").find(number[start]) == std::wstring_view::npos) {
        return std::nullopt;
    }
    const int32_t code = RoundToInt32(LeadingNumber(number) + kF1 - 1).value_or(kNoKey);
    return code >= kF1 && code <= kF24 ? code : kNoKey;
}

// Letters and digits have virtual-key codes equal to their capital character.
int32_t FirstCharacterKeyCode(std::wstring_view name) {
    const wchar_t first = name.empty() ? L'\0' : name.front();
    const bool hasKey = (first >= L'A' && first <= L'Z') || (first >= L'0' && first <= L'9');
    return hasKey ? first : kNoKey;
}

bool NamesKeyOrNoHotkey(std::wstring_view keyName) {
    return keyName.empty() || keyName == kNoHotkeyName || KeyNameToKeyCode(keyName) != kNoKey;
}

}  // namespace

std::optional<ParsedHotkeySpec> ParseHotkeySpec(std::wstring_view text) {
    std::wstring spec = AsciiUpperCase(TrimBlanks(text));
    if (spec.find(L';') == std::wstring::npos) {
        spec.insert(0, L"8;");
    }
    const size_t separator = spec.find(L';');
    const std::wstring_view modifierPart = std::wstring_view(spec).substr(0, separator);
    const std::wstring_view keyPart = std::wstring_view(spec).substr(separator + 1);
    const std::optional<int32_t> modifiers = RoundToInt32(LeadingNumber(modifierPart));
    const std::wstring_view keyName = TrimBlanks(keyPart);
    if (!modifiers || (*modifiers & ~kAllModifiers) != 0 || !NamesKeyOrNoHotkey(keyName)) {
        return std::nullopt;
    }
    return ParsedHotkeySpec{*modifiers, std::wstring(keyName)};
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
    return FirstCharacterKeyCode(keyName);
}
