#pragma once

// A program as the options dialog finds it after start-up: a folder with layouts.txt
// and a settings file, settings and layouts loaded, the three hotkeys registered
// with a registrar that behaves like the system's. Every call that reaches the
// outside world is written to one log, so tests can check the order of the steps.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "base/file_access.h"
#include "engine/layout_loader.h"
#include "hotkeys/hotkey_slots.h"
#include "settings/profile_store.h"
#include "settings/program_settings.h"
#include "support/temp_folder.h"
#include "program/options/options_services.h"

// Three layouts; the third is shorter than the other two.
inline constexpr std::string_view kOptionsLayoutsFile =
    "[English (101 Keys)]\r\n"
    "a b c d\r\n"
    "[Arabic (101 Keys)]\r\n"
    "w x y z\r\n"
    "[Short demo]\r\n"
    "p q\r\n";

using EventLog = std::vector<std::wstring>;

// Like the system: a combination is refused while another id holds it, or while
// another process does (`heldElsewhere`); unregistering frees it.
class LoggingRegistrar : public HotkeyRegistrar {
  public:
    explicit LoggingRegistrar(EventLog& log) : log_(log) {}

    int32_t AddAtom(const std::wstring&) override { return nextAtom_++; }
    void DeleteAtom(int32_t) override {}
    bool Register(int32_t id, int32_t modifiers, int32_t keyCode) override {
        log_.push_back(L"Register " + std::to_wstring(id) + L" " + std::to_wstring(modifiers) +
                       L" " + std::to_wstring(keyCode));
        const std::pair<int32_t, int32_t> combination{modifiers, keyCode};
        if (heldElsewhere.count(combination) != 0) {
            return false;
        }
        for (const auto& [heldId, held] : registered) {
            if (heldId != id && held == combination) {
                return false;
            }
        }
        registered[id] = combination;
        return true;
    }
    void Unregister(int32_t id) override {
        log_.push_back(L"Unregister " + std::to_wstring(id));
        registered.erase(id);
    }

    std::map<int32_t, std::pair<int32_t, int32_t>> registered;  // id: (modifiers, key code)
    std::set<std::pair<int32_t, int32_t>> heldElsewhere;

  private:
    EventLog& log_;
    int32_t nextAtom_ = 0xC001;
};

class LoggingLayoutUi : public LayoutUi {
  public:
    explicit LoggingLayoutUi(EventLog& log) : log_(log) {}

    void ShowMessage(const std::wstring& text, MessageIcon icon) override {
        log_.push_back(L"Message " + IconName(icon) + L" " + text);
    }
    void SetLayoutButtonCaption(int buttonIndex, const std::wstring& caption) override {
        log_.push_back(L"Caption " + std::to_wstring(buttonIndex) + L" " + caption);
    }
    void EndProgram() override {
        log_.push_back(L"EndProgram");
        if (onEndProgram) {
            onEndProgram();
        }
    }

    static std::wstring IconName(MessageIcon icon) {
        switch (icon) {
            case MessageIcon::Error:
                return L"error";
            case MessageIcon::Exclamation:
                return L"exclamation";
            case MessageIcon::Information:
                return L"information";
        }
        return L"?";
    }

    std::function<void()> onEndProgram;

  private:
    EventLog& log_;
};

class LoggingMessages : public MessageSink {
  public:
    explicit LoggingMessages(EventLog& log) : log_(log) {}
    void ShowMessage(const std::wstring& text, MessageIcon icon) override {
        log_.push_back(L"Message " + LoggingLayoutUi::IconName(icon) + L" " + text);
    }

  private:
    EventLog& log_;
};

// Keeps values in memory.
class MemoryRegistry : public RegistryStore {
  public:
    std::wstring ReadValue(const std::wstring& path, const std::wstring& name,
                           const std::wstring& defaultText) override {
        const auto found = values.find({path, name});
        return found == values.end() ? defaultText : found->second;
    }
    bool WriteValue(const std::wstring& path, const std::wstring& name,
                    const RegistryVariant& value, uint32_t) override {
        values[{path, name}] = std::get<std::wstring>(value);
        return true;
    }
    bool DeleteValue(const std::wstring& path, const std::wstring& name) override {
        values.erase({path, name});
        return true;
    }
    std::optional<std::wstring> RunValue() const {
        const auto found = values.find({kRunKeyPath, kRunValueName});
        if (found == values.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    std::map<std::pair<std::wstring, std::wstring>, std::wstring> values;
};

class StartedProgram {
  public:
    // settingsText: the settings file before start-up; empty for none. systemHotkeys:
    // the registrar to use instead of the logging one.
    explicit StartedProgram(std::string_view settingsText = {},
                            HotkeyRegistrar* systemHotkeys = nullptr)
        : hotkeys(systemHotkeys != nullptr ? *systemHotkeys : registrar) {
        folder.WriteFile(kLayoutsFileName, kOptionsLayoutsFile);
        if (!settingsText.empty()) {
            WriteFileBytes(settingsFile.IniFilePath, settingsText);
        }
        LoadSettings(settingsFile, settings, layouts);
        SaveSettings(settingsFile, settings, layouts, registry, executable);
        LoadLayoutNames(layoutContext);
        LoadLayout(layoutContext, layouts.Layout1Name, 1);
        LoadLayout(layoutContext, layouts.Layout2Name, 2);
        CheckLayoutKeyCounts(layoutContext);
        RegisterHotkeys(settings.Slots, hotkeys, messages, L"test");
        log.clear();
    }

    std::string SettingsFileBytes() const {
        return ReadFileBytes(settingsFile.IniFilePath).value_or("");
    }
    std::wstring Stored(const std::wstring& key) const {
        return settingsFile.Read(key, L"<missing>");
    }

    OptionsServices Services() {
        return OptionsServices{settings, layoutContext, hotkeys, settingsFile,
                               registry, executable,    messages};
    }

    TempFolder folder;
    std::wstring executable = folder.ProgramPath() + L"\\Zenvoral.exe";
    cProfile profile;
    SettingsFile settingsFile{profile, BuildIniFilePath(executable)};
    EventLog log;
    LoggingRegistrar registrar{log};
    HotkeyRegistrar& hotkeys;
    LoggingLayoutUi layoutUi{log};
    LoggingMessages messages{log};
    MemoryRegistry registry;
    ProgramSettings settings;
    LayoutTable layouts;
    LayoutContext layoutContext{layouts, folder.ProgramPath(), layoutUi};
};

inline std::string SettingsWithKeys(std::string_view lines) {
    return "[Zenvoral]\r\n" + std::string(lines);
}
