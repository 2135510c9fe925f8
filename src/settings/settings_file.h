#pragma once

#include <cstdint>
#include <string>

#include "settings/profile_store.h"

inline const std::wstring kSettingsSection = L"Zenvoral";

// Every settings read uses a buffer of this many characters, so a value longer than
// 4095 characters arrives cut.
inline constexpr int32_t kSettingsBufferSize = 4096;

// The program's settings file: one profile store, one path, one section. Every
// settings access of the program goes through here.
struct SettingsFile {
    const cProfile& profile;
    std::wstring IniFilePath;

    std::wstring Read(const std::wstring& key, const std::wstring& defaultText) const {
        return profile.ReadValue(kSettingsSection, key, defaultText, IniFilePath,
                                 kSettingsBufferSize);
    }

    // False when the system refused the write; see `cProfile`.
    bool Write(const std::wstring& key, const std::wstring& value) const {
        return profile.WriteValue(kSettingsSection, key, value, IniFilePath);
    }
};
