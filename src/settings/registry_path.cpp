#include <array>
#include <stdexcept>

#include "base/text_encoding.h"
#include "base/number_text.h"
#include "settings/registry.h"

namespace {

struct RootName {
    std::wstring_view name;
    RegistryRoot root;
};

constexpr std::array<RootName, 6> kRootNames = {{
    {L"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
    {L"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
    {L"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
    {L"HKEY_USERS", RegistryRoot::Users},
    {L"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig},
    {L"HKEY_DYN_DATA", RegistryRoot::DynData},
}};

void AppendUtf16(std::vector<uint8_t>& bytes, std::wstring_view text) {
    for (const wchar_t unit : text) {
        const auto value = static_cast<uint16_t>(unit);
        bytes.push_back(static_cast<uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<uint8_t>(value >> 8));
    }
}

std::wstring Utf16FromBytes(std::span<const uint8_t> data) {
    std::wstring text;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    }
    return text;
}

std::wstring VariantText(const RegistryVariant& value) {
    if (const auto* number = std::get_if<int32_t>(&value)) {
        return std::to_wstring(*number);
    }
    return std::get<std::wstring>(value);
}

int32_t VariantNumber(const RegistryVariant& value) {
    if (const auto* number = std::get_if<int32_t>(&value)) {
        return *number;
    }
    return ParseWholeNumber(std::get<std::wstring>(value)).value_or(0);
}

std::wstring ThreeDigitsAtLeast(uint32_t value) {
    std::wstring digits = std::to_wstring(value);
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), L'0');
    }
    return digits;
}

std::wstring UpperHex(std::span<const uint8_t> data) {
    constexpr std::wstring_view kDigits = L"0123456789ABCDEF";
    std::wstring text;
    for (const uint8_t byte : data) {
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0F]);
    }
    return text;
}

}  // namespace

RegistryRoot GetRootKey(std::wstring_view path) {
    const size_t separator = path.find(L'\\');
    if (separator == std::wstring_view::npos) {
        throw std::invalid_argument("registry path without a backslash");
    }
    const std::wstring rootName = AsciiUpperCase(path.substr(0, separator));
    for (const RootName& entry : kRootNames) {
        if (rootName == entry.name) {
            return entry.root;
        }
    }
    return RegistryRoot::None;
}

std::wstring GetSubKey(std::wstring_view path) {
    const size_t separator = path.find(L'\\');
    if (separator == std::wstring_view::npos) {
        return std::wstring(path);
    }
    return std::wstring(path.substr(separator + 1));
}

RegistryData EncodeRegistryValue(const RegistryVariant& vntValue, uint32_t uValueType) {
    RegistryData data;
    if (uValueType == kRegistryDword) {
        data.type = kRegistryDword;
        const auto number = static_cast<uint32_t>(VariantNumber(vntValue));
        for (int shift = 0; shift < 32; shift += 8) {
            data.bytes.push_back(static_cast<uint8_t>((number >> shift) & 0xFF));
        }
        return data;
    }
    data.type = kRegistryString;
    AppendUtf16(data.bytes, VariantText(vntValue));
    if (uValueType == kRegistryString) {
        AppendUtf16(data.bytes, std::wstring_view(L"\0", 1));
    }
    return data;
}

std::wstring DecodeRegistryValue(uint32_t type, std::span<const uint8_t> data) {
    if (type == kRegistryDword) {
        uint32_t value = 0;
        for (size_t i = 0; i < 4 && i < data.size(); ++i) {
            value |= static_cast<uint32_t>(data[i]) << (8 * i);
        }
        return ThreeDigitsAtLeast(value);
    }
    if (type == kRegistryBinary) {
        return UpperHex(data);
    }
    std::wstring text = Utf16FromBytes(data);
    if (type == kRegistryString) {
        // Text stored without its terminator (written by another program) is kept whole.
        const size_t end = text.find(L'\0');
        if (end != std::wstring::npos) {
            text.resize(end);
        }
        return text;
    }
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}
