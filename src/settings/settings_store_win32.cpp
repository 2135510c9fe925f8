#include <windows.h>

#include <algorithm>
#include <utility>

#include "settings/settings_store.h"

namespace {

constexpr const wchar_t* kSettingsSection = L"Zenvoral";
constexpr DWORD kReadBufferSize = 4096;

}  // namespace

cProfile::cProfile(std::wstring iniFilePath) : iniFilePath_(std::move(iniFilePath)) {}

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
