#include <windows.h>

#include "base/scoped_win.h"
#include "settings/run_value.h"

namespace {

constexpr const wchar_t* kRunKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kRunValueName = L"UxZenvoral";

}  // namespace

bool cRegistry::WriteRunValue(const std::wstring& command) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &opened, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const ScopedRegistryKey key(opened);
    // The system expects REG_SZ data to carry its terminating NUL.
    const auto byteCount = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), kRunValueName, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(command.c_str()),
                          byteCount) == ERROR_SUCCESS;
}

bool cRegistry::DeleteRunValue() {
    HKEY opened = nullptr;
    const LONG openResult =
        RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_SET_VALUE, &opened);
    if (openResult == ERROR_FILE_NOT_FOUND) {
        return true;  // no key, so no value to remove
    }
    if (openResult != ERROR_SUCCESS) {
        return false;
    }
    const ScopedRegistryKey key(opened);
    const LONG result = RegDeleteValueW(key.get(), kRunValueName);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
