#include "settings/portable_profile.h"

#include <optional>
#include <string_view>

#include "base/file_access.h"
#include "base/text_encoding.h"
#include "settings/ini_text.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct IniFile {
    IniDocument document;
    bool hasByteOrderMark = false;
};

std::optional<IniFile> LoadIniFile(const std::wstring& path) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    std::string_view content = *bytes;
    IniFile file;
    file.hasByteOrderMark = content.starts_with(kUtf8ByteOrderMark);
    if (file.hasByteOrderMark) {
        content.remove_prefix(kUtf8ByteOrderMark.size());
    }
    const std::wstring text = IsValidUtf8(content) ? Utf8ToUtf16(content) : AnsiToUtf16(content);
    file.document = IniDocument::Parse(text);
    return file;
}

bool SaveIniFile(const std::wstring& path, const IniFile& file) {
    std::string bytes = file.hasByteOrderMark ? std::string(kUtf8ByteOrderMark) : std::string();
    bytes += Utf16ToUtf8(file.document.Text());
    return WriteFileBytes(path, bytes);
}

// What a fixed buffer of that many characters, terminator included, can hold.
std::wstring CutToBuffer(std::wstring text, int32_t bufferSize) {
    const size_t room = bufferSize > 0 ? static_cast<size_t>(bufferSize) - 1 : 0;
    if (text.size() > room) {
        text.resize(room);
    }
    return text;
}

std::wstring WithoutTrailingSpaces(std::wstring text) {
    while (!text.empty() && text.back() == L' ') {
        text.pop_back();
    }
    return text;
}

}  // namespace

bool PortableProfile::DeleteValue(const std::wstring& strSectionName,
                                  const std::wstring& strKeyName,
                                  const std::wstring& strFileName) const {
    std::optional<IniFile> file = LoadIniFile(strFileName);
    if (!file || !file->document.DeleteValue(strSectionName, strKeyName)) {
        return true;  // nothing to delete, and no file is created for it
    }
    return SaveIniFile(strFileName, *file);
}

std::wstring PortableProfile::ReadValue(const std::wstring& strSectionName,
                                        const std::wstring& strKeyName,
                                        const std::wstring& strDefaultValue,
                                        const std::wstring& strFileName,
                                        int32_t lngMaxBufferSize) const {
    const std::optional<IniFile> file = LoadIniFile(strFileName);
    std::optional<std::wstring> value;
    if (file) {
        value = file->document.FindValue(strSectionName, strKeyName);
    }
    return CutToBuffer(value ? *value : WithoutTrailingSpaces(strDefaultValue), lngMaxBufferSize);
}

bool PortableProfile::WriteValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                                 const std::wstring& strValue,
                                 const std::wstring& strFileName) const {
    IniFile file = LoadIniFile(strFileName).value_or(IniFile{});
    file.document.SetValue(strSectionName, strKeyName, strValue);
    return SaveIniFile(strFileName, file);
}
