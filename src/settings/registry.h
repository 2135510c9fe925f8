#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Registry values addressed by a full path written as text: a root key name, "\",
// and the subkey path below it, e.g.
// "HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run". Callers never
// handle key handles.

enum class RegistryRoot {
    None,
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
    CurrentConfig,
    DynData
};

// The system's value type numbers that the store knows by name.
inline constexpr uint32_t kRegistryString = 1;  // REG_SZ
inline constexpr uint32_t kRegistryBinary = 3;  // REG_BINARY, read only
inline constexpr uint32_t kRegistryDword = 4;   // REG_DWORD

// A value to write: text or a number; each converts to the other on demand.
using RegistryVariant = std::variant<std::wstring, int32_t>;

// The root named before the first "\", matched without regard to case. Abbreviations
// such as "HKCU" and HKEY_PERFORMANCE_DATA name no root. Throws std::invalid_argument
// for a path without "\".
RegistryRoot GetRootKey(std::wstring_view path);

// Everything after the first "\"; a path without one is returned whole.
std::wstring GetSubKey(std::wstring_view path);

// How a value is stored: the type handed to the system and the data bytes. Text is
// stored as UTF-16; type 1 with its terminating NUL, any other non-number type
// without one. Type 4 stores the 32-bit number (text that is no number gives 0).
struct RegistryData {
    uint32_t type = kRegistryString;
    std::vector<uint8_t> bytes;
};
RegistryData EncodeRegistryValue(const RegistryVariant& vntValue, uint32_t uValueType);

// The text a read gives for stored data: REG_SZ without its terminating NUL; REG_DWORD
// as the unsigned value with at least three digits ("007"); REG_BINARY as two
// upper-case hex digits per byte; anything else as text without its last character.
std::wstring DecodeRegistryValue(uint32_t type, std::span<const uint8_t> data);

// The registry as the settings see it, so they can be tested with a fake.
class RegistryStore {
  public:
    virtual ~RegistryStore() = default;

    // The value's data as text, or strDefault for anything missing or unreadable.
    // Throws std::invalid_argument for a path without "\".
    virtual std::wstring ReadValue(const std::wstring& strValuePath,
                                   const std::wstring& strValueName,
                                   const std::wstring& strDefault) = 0;

    // Creates the whole subkey path when needed. False when the system refused the
    // write. Throws std::invalid_argument for a path without "\".
    virtual bool WriteValue(const std::wstring& strValuePath, const std::wstring& strValueName,
                            const RegistryVariant& vntValue, uint32_t uValueType) = 0;

    // Removing a value that is not there is no failure; a path without "\" does
    // nothing. The key itself stays. False when the system refused the removal.
    virtual bool DeleteValue(const std::wstring& strValuePath,
                             const std::wstring& strValueName) = 0;
};

// The Windows registry. Where there is no registry it stores nothing and every read
// gives its default: starting at logon has no equivalent there.
class cRegistry final : public RegistryStore {
  public:
    std::wstring ReadValue(const std::wstring& strValuePath, const std::wstring& strValueName,
                           const std::wstring& strDefault) override;
    bool WriteValue(const std::wstring& strValuePath, const std::wstring& strValueName,
                    const RegistryVariant& vntValue, uint32_t uValueType) override;
    bool DeleteValue(const std::wstring& strValuePath, const std::wstring& strValueName) override;
};
