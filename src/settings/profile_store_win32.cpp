#include <windows.h>

#include "settings/profile_store.h"

bool cProfile::DeleteValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                           const std::wstring& strFileName) const {
    // A null value is the system's way of saying "remove the key".
    return WritePrivateProfileStringW(strSectionName.c_str(), strKeyName.c_str(), nullptr,
                                      strFileName.c_str()) != 0;
}

std::wstring cProfile::ReadValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                                 const std::wstring& strDefaultValue,
                                 const std::wstring& strFileName, int32_t lngMaxBufferSize) const {
    if (lngMaxBufferSize <= 0) {
        return {};
    }
    std::wstring buffer(static_cast<size_t>(lngMaxBufferSize), L'\0');
    const DWORD copied = GetPrivateProfileStringW(
        strSectionName.c_str(), strKeyName.c_str(), strDefaultValue.c_str(), buffer.data(),
        static_cast<DWORD>(buffer.size()), strFileName.c_str());
    buffer.resize(copied < buffer.size() ? copied : buffer.size() - 1);
    return buffer;
}

bool cProfile::WriteValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                          const std::wstring& strValue, const std::wstring& strFileName) const {
    return WritePrivateProfileStringW(strSectionName.c_str(), strKeyName.c_str(), strValue.c_str(),
                                      strFileName.c_str()) != 0;
}
