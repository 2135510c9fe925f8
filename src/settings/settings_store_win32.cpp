#include <windows.h>

#include <algorithm>
#include <utility>

#include "base/file_access.h"
#include "settings/settings_file_encoding.h"
#include "settings/settings_store.h"

namespace {

constexpr const wchar_t* kSettingsSection = L"Zenvoral";
constexpr DWORD kReadBufferSize = 4096;

void KeepFileInUtf16(const std::wstring& path) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes && FileExists(path)) {
        return;  // unreadable for now: the profile functions get it as it is
    }
    if (const std::optional<std::string> utf16 = Utf16SettingsFile(bytes)) {
        // Refused (a read-only file or folder): the profile functions then read the file
        // as before, and their writes are refused too.
        static_cast<void>(WriteFileBytes(path, *utf16));
    }
}

}  // namespace

cProfile::cProfile(std::wstring iniFilePath) : iniFilePath_(std::move(iniFilePath)) {
    KeepFileInUtf16(iniFilePath_);
}

std::wstring cProfile::Read(const std::wstring& key, const std::wstring& defaultText) const {
    std::wstring buffer(kReadBufferSize, L'\0');
    const DWORD copied =
        GetPrivateProfileStringW(kSettingsSection, key.c_str(), defaultText.c_str(), buffer.data(),
                                 kReadBufferSize, iniFilePath_.c_str());
    buffer.resize(std::min(copied, kReadBufferSize - 1));
    return buffer;
}

bool cProfile::Write(const std::wstring& key, const std::wstring& value) {
    return WritePrivateProfileStringW(kSettingsSection, key.c_str(), value.c_str(),
                                      iniFilePath_.c_str()) != 0;
}
