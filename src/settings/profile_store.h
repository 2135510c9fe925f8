#pragma once

#include <cstdint>
#include <string>

// The program's INI store: reads, writes and deletes single values of a private
// profile file. It keeps no state and caches nothing, so a value edited by hand while
// the program runs is seen at the next read. On Windows it is the system's own
// private-profile functions; elsewhere `PortableProfile`.
//
// The writes report whether the system took them. The program's callers ignore that
// on purpose: a settings write the system refuses (a read-only file) is lost
// without a message.
class cProfile {
  public:
    bool DeleteValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                     const std::wstring& strFileName) const;

    // The stored text, or strDefaultValue when the file, the section or the key is
    // missing; at most lngMaxBufferSize - 1 characters.
    std::wstring ReadValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                           const std::wstring& strDefaultValue, const std::wstring& strFileName,
                           int32_t lngMaxBufferSize) const;

    bool WriteValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                    const std::wstring& strValue, const std::wstring& strFileName) const;
};
