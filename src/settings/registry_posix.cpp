#include "settings/registry.h"

// No registry here: nothing is stored, so every read gives its default. The path is
// still checked, so a malformed one fails the same way on every system.

std::wstring cRegistry::ReadValue(const std::wstring& strValuePath, const std::wstring&,
                                  const std::wstring& strDefault) {
    static_cast<void>(GetRootKey(strValuePath));
    return strDefault;
}

bool cRegistry::WriteValue(const std::wstring& strValuePath, const std::wstring&,
                           const RegistryVariant&, uint32_t) {
    static_cast<void>(GetRootKey(strValuePath));
    return false;
}

bool cRegistry::DeleteValue(const std::wstring&, const std::wstring&) {
    return true;
}
