#include <windows.h>

#include <array>
#include <memory>
#include <stdexcept>
#include <type_traits>

#include "settings/registry.h"

namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using ScopedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// Values stay small; a longer one reads as missing, like any other failed query.
constexpr DWORD kReadBufferBytes = 2048;

HKEY PredefinedKey(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RegistryRoot::CurrentUser:
            return HKEY_CURRENT_USER;
        case RegistryRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegistryRoot::Users:
            return HKEY_USERS;
        case RegistryRoot::CurrentConfig:
            return HKEY_CURRENT_CONFIG;
        case RegistryRoot::DynData:
            return HKEY_DYN_DATA;
        case RegistryRoot::None:
            break;
    }
    return nullptr;
}

ScopedKey OpenKey(HKEY root, const std::wstring& subKey, REGSAM access) {
    HKEY key = nullptr;
    if (root == nullptr || RegOpenKeyExW(root, subKey.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return ScopedKey(key);
}

ScopedKey CreateKey(HKEY root, const std::wstring& subKey) {
    HKEY key = nullptr;
    if (root == nullptr || RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                           &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return ScopedKey(key);
}

}  // namespace

std::wstring cRegistry::ReadValue(const std::wstring& strValuePath,
                                  const std::wstring& strValueName,
                                  const std::wstring& strDefault) {
    const HKEY root = PredefinedKey(GetRootKey(strValuePath));
    const ScopedKey key = OpenKey(root, GetSubKey(strValuePath), KEY_QUERY_VALUE);
    if (!key) {
        return strDefault;
    }
    std::array<uint8_t, kReadBufferBytes> buffer{};
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    if (RegQueryValueExW(key.get(), strValueName.c_str(), nullptr, &type, buffer.data(), &size) !=
        ERROR_SUCCESS) {
        return strDefault;
    }
    return DecodeRegistryValue(type, std::span<const uint8_t>(buffer.data(), size));
}

bool cRegistry::WriteValue(const std::wstring& strValuePath, const std::wstring& strValueName,
                           const RegistryVariant& vntValue, uint32_t uValueType) {
    const HKEY root = PredefinedKey(GetRootKey(strValuePath));
    const ScopedKey key = CreateKey(root, GetSubKey(strValuePath));
    if (!key) {
        return false;
    }
    const RegistryData data = EncodeRegistryValue(vntValue, uValueType);
    const bool stored =
        RegSetValueExW(key.get(), strValueName.c_str(), 0, data.type, data.bytes.data(),
                       static_cast<DWORD>(data.bytes.size())) == ERROR_SUCCESS;
    // The Run value must survive a crash or a power cut right after the save.
    RegFlushKey(key.get());
    return stored;
}

bool cRegistry::DeleteValue(const std::wstring& strValuePath, const std::wstring& strValueName) {
    HKEY root = nullptr;
    try {
        root = PredefinedKey(GetRootKey(strValuePath));
    } catch (const std::invalid_argument&) {
        return false;  // a path without "\" names nothing to delete
    }
    HKEY opened = nullptr;
    const LONG openResult = root == nullptr ? ERROR_INVALID_HANDLE
                                            : RegOpenKeyExW(root, GetSubKey(strValuePath).c_str(),
                                                            0, KEY_SET_VALUE, &opened);
    if (openResult == ERROR_FILE_NOT_FOUND) {
        return true;  // no key, so no value to remove
    }
    if (openResult != ERROR_SUCCESS) {
        return false;
    }
    const ScopedKey key(opened);
    const LONG result = RegDeleteValueW(key.get(), strValueName.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
