#include "settings/portable_profile.h"
#include "settings/profile_store.h"

bool cProfile::DeleteValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                           const std::wstring& strFileName) const {
    return PortableProfile().DeleteValue(strSectionName, strKeyName, strFileName);
}

std::wstring cProfile::ReadValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                                 const std::wstring& strDefaultValue,
                                 const std::wstring& strFileName, int32_t lngMaxBufferSize) const {
    return PortableProfile().ReadValue(strSectionName, strKeyName, strDefaultValue, strFileName,
                                       lngMaxBufferSize);
}

bool cProfile::WriteValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                          const std::wstring& strValue, const std::wstring& strFileName) const {
    return PortableProfile().WriteValue(strSectionName, strKeyName, strValue, strFileName);
}
