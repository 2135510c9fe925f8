#pragma once

#include <string>

// The program's settings file: single values of the section "Zenvoral", keys matched
// without regard to letter case. Nothing is cached, so a value edited by hand while the
// program runs is seen at the next read.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultText when the file or the key is missing; a value
    // longer than 4095 characters arrives cut to its first 4095.
    virtual std::wstring Read(const std::wstring& key, const std::wstring& defaultText) const = 0;

    // Creates the file and the section when needed; a key that exists keeps its spelling.
    // False when the system refused the write (a read-only file, a missing folder).
    virtual bool Write(const std::wstring& key, const std::wstring& value) = 0;
};

// The system's private-profile functions on one settings file (Windows build only).
class cProfile final : public SettingsStore {
  public:
    // Creates the file, or rewrites one in another encoding, as Utf16SettingsFile says.
    explicit cProfile(std::wstring iniFilePath);

    std::wstring Read(const std::wstring& key, const std::wstring& defaultText) const override;
    bool Write(const std::wstring& key, const std::wstring& value) override;

  private:
    std::wstring iniFilePath_;
};
