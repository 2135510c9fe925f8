#include <map>
#include <tuple>

#include "hotkeys/hotkey_registrar.h"

struct SystemHotkeyRegistrar::Held {
    int32_t nextAtom = 0xC000;  // where the system's string atoms begin
    std::map<std::wstring, int32_t> atoms;
    std::map<int32_t, std::tuple<int32_t, int32_t>> combinations;  // by id
};

SystemHotkeyRegistrar::SystemHotkeyRegistrar(void*) : held_(std::make_unique<Held>()) {}

SystemHotkeyRegistrar::~SystemHotkeyRegistrar() = default;

int32_t SystemHotkeyRegistrar::AddAtom(const std::wstring& name) {
    const auto [entry, added] = held_->atoms.try_emplace(name, held_->nextAtom);
    if (added) {
        ++held_->nextAtom;
    }
    return entry->second;
}

void SystemHotkeyRegistrar::DeleteAtom(int32_t atom) {
    std::erase_if(held_->atoms, [atom](const auto& entry) { return entry.second == atom; });
}

bool SystemHotkeyRegistrar::Register(int32_t hotkeyId, int32_t modifiers, int32_t keyCode) {
    const std::tuple<int32_t, int32_t> combination{modifiers, keyCode};
    for (const auto& [id, held] : held_->combinations) {
        if (held == combination || id == hotkeyId) {
            return false;
        }
    }
    held_->combinations.emplace(hotkeyId, combination);
    return true;
}

void SystemHotkeyRegistrar::Unregister(int32_t hotkeyId) {
    held_->combinations.erase(hotkeyId);
}
