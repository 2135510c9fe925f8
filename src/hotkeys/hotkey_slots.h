#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/message_sink.h"
#include "hotkeys/hotkey_registrar.h"

inline constexpr int32_t kHotkeyNotRegistered = -1;

// One of the program's three hotkeys. KeyName and Modifiers are the configured
// combination and stay as configured while the slot is inactive, so the next start
// or the next OK of the options dialog tries it again.
struct HotkeySlot {
    std::wstring KeyName;   // a name of kHotkeyKeyNames, or "(NONE)"
    int32_t Modifiers = 0;  // 1 Alt, 2 Ctrl, 4 Shift, 8 Win, passed to the system unchanged
    int32_t KeyCode = kHotkeyNotRegistered;  // only ever set from RegisterOneHotkey
    int32_t HotkeyId = 0;                    // a global atom, made once per run

    bool IsActive() const { return KeyCode != kHotkeyNotRegistered; }
};

inline constexpr size_t kHotkeySlotCount = 3;
using HotkeySlots = std::array<HotkeySlot, kHotkeySlotCount>;

// The fixed facts of each slot, in slot order.
struct HotkeySlotDefinition {
    std::wstring_view settingsKey;  // as read
    std::wstring_view writtenKey;   // as written; keys match without regard to case
    std::wstring_view defaultSpec;
    std::wstring_view action;  // as the options dialog lists it
    std::wstring_view atomGuid;
};

inline constexpr std::array<HotkeySlotDefinition, kHotkeySlotCount> kHotkeySlotDefinitions = {{
    {L"HotKey1", L"HotKey1", L"8;F9", L"Toggle layouts", L"{DC99BD22-B08E-484c-96EB-536A3E0F0D23}"},
    {L"HotKey2", L"Hotkey2", L"8;F10", L"Toggle letters case",
     L"{E7C14BC8-0C03-4301-ADB0-6F09A2A2E271}"},
    {L"HotKey3", L"Hotkey3", L"8;F11", L"Show program window",
     L"{E807FE21-B837-4800-B091-6F71E6C49DF0}"},
}};

// Drops whatever the id held, then registers the combination. Returns the key code now
// registered, or kHotkeyNotRegistered for "(NONE)" (nothing registered, nothing shown)
// and for a refused combination (the conflict message is shown first). The caller
// stores the result in the slot's KeyCode.
int32_t RegisterOneHotkey(HotkeyRegistrar& registrar, MessageSink& messages, int32_t modifiers,
                          const std::wstring& keyName, const int32_t& hotkeyId);

// Makes the three ids (atoms named by each slot's GUID and timeStamp, so every run
// has names of its own), then registers the slots in order. Each refusal shows its
// own message and the next slot is still registered.
void RegisterHotkeys(HotkeySlots& slots, HotkeyRegistrar& registrar, MessageSink& messages,
                     const std::wstring& timeStamp);

// Unregisters the three ids, then deletes their atoms. KeyCode values stay.
void UnregisterHotkeys(const HotkeySlots& slots, HotkeyRegistrar& registrar);

// The local date and time as text, "2024-12-06 19:12:45", for the atom names.
std::wstring CurrentLocalTimeText();
