#include "settings/hotkey_text.h"

#include "base/number_text.h"
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

// F1 is 112. "F", "F0" and names such as "FOO" are no function keys and fall through
// to the letter F.
std::optional<int32_t> FunctionKeyCode(std::wstring_view name) {
    if (name.empty() || name.front() != L'F') {
        return std::nullopt;
    }
    const double number = LeadingNumber(name.substr(1));
    if (number == 0) {
        return std::nullopt;
    }
    return RoundToInt32(number + 111);
}

std::wstring_view TrimSpaces(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

ParsedHotkeySpec ParseHotkeySpec(std::wstring_view text) {
    std::wstring spec = AsciiUpperCase(TrimSpaces(text));
    if (spec.find(L';') == std::wstring::npos) {
        spec.insert(0, L"8;");
    }
    const size_t separator = spec.find(L';');
    const std::wstring_view modifierPart = std::wstring_view(spec).substr(0, separator);
    const std::wstring_view keyPart = std::wstring_view(spec).substr(separator + 1);
    return {RoundToInt32(LeadingNumber(modifierPart)), std::wstring(TrimSpaces(keyPart))};
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
