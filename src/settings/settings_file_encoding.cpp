#include "settings/settings_file_encoding.h"

#include <string_view>

#include "base/text_encoding.h"

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::string Utf16LeBytes(std::wstring_view text) {
    std::string bytes(kUtf16LeMark);
    for (const wchar_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    return bytes;
}

}  // namespace

std::optional<std::string> Utf16SettingsFile(const std::optional<std::string>& fileBytes) {
    if (!fileBytes) {
        return std::string(kUtf16LeMark);
    }
    if (fileBytes->starts_with(kUtf16LeMark) || fileBytes->starts_with(kUtf16BeMark)) {
        return std::nullopt;
    }
    // A hand edit: UTF-8 when its bytes are, else the ANSI code page.
    return Utf16LeBytes(DecodeTextFile(*fileBytes));
}
