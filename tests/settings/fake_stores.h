#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/text_encoding.h"
#include "settings/run_value.h"
#include "settings/settings_store.h"

// Key and value in the order of the settings file's lines.
using SettingsEntries = std::vector<std::pair<std::wstring, std::wstring>>;

// The settings file as a list of entries; checked against cProfile by the contract.
class FakeSettingsStore final : public SettingsStore {
    static auto SameKey(const std::wstring& key) {
        return [upper = AsciiUpperCase(key)](const auto& entry) {
            return AsciiUpperCase(entry.first) == upper;
        };
    }

  public:
    std::wstring Read(const std::wstring& key, const std::wstring& defaultText) const override {
        const auto entry = std::find_if(entries.begin(), entries.end(), SameKey(key));
        return (entry == entries.end() ? defaultText : entry->second).substr(0, 4095);
    }
    bool Write(const std::wstring& key, const std::wstring& value) override {
        const auto entry = std::find_if(entries.begin(), entries.end(), SameKey(key));
        (entry == entries.end() ? entries.emplace_back(key, L"") : *entry).second = value;
        return true;
    }

    SettingsEntries entries;  // change it to edit the file by hand
};

class FakeRunValueStore final : public RunValueStore {
  public:
    bool WriteRunValue(const std::wstring& text) override {
        command = text;
        return true;
    }
    bool DeleteRunValue() override {
        command.reset();
        return true;
    }

    std::optional<std::wstring> command;
};
