#pragma once

#include <string>

// The logon Run value "UxZenvoral" that starts the program with Windows.
class RunValueStore {
  public:
    virtual ~RunValueStore() = default;

    // False when the system refused the write.
    virtual bool WriteRunValue(const std::wstring& command) = 0;

    // Removing a value that is not there is no failure.
    virtual bool DeleteRunValue() = 0;
};

// The value under HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run, a
// REG_SZ (Windows build only).
class cRegistry final : public RunValueStore {
  public:
    bool WriteRunValue(const std::wstring& command) override;
    bool DeleteRunValue() override;
};
