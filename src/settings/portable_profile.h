#pragma once

#include <cstdint>
#include <string>

// The INI store written in plain C++, for systems without the private-profile
// functions. Same methods and the same outcomes as `cProfile`: section and key names
// without regard to case, the default for anything missing, the file and section
// created on write, one line replaced in place and every other line kept. Nothing is
// cached: every call reads the file afresh.
//
// Files are written as UTF-8 (keeping a byte-order mark the file had); a file that
// is not valid UTF-8 is read in the ANSI code page, as an old settings file would be.
class PortableProfile {
  public:
    // False when the file could not be rewritten; a missing key is no failure.
    bool DeleteValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                     const std::wstring& strFileName) const;

    // The value, or the default without its trailing blanks, cut to
    // lngMaxBufferSize - 1 characters the way a fixed read buffer cuts it.
    std::wstring ReadValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                           const std::wstring& strDefaultValue, const std::wstring& strFileName,
                           int32_t lngMaxBufferSize) const;

    // False when the file could not be written (a missing folder, a read-only file).
    bool WriteValue(const std::wstring& strSectionName, const std::wstring& strKeyName,
                    const std::wstring& strValue, const std::wstring& strFileName) const;
};
