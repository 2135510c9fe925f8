#pragma once

#include <cstdint>
#include <string>

#include "program/message_sink.h"
#include "settings/hotkey_text.h"

// The system's global hotkeys and the atoms that give them their ids: the Win32 ones for
// the main window in the program (win32_hotkeys.h), a fake that refuses like the system
// in tests.
class GlobalHotkeys {
  public:
    virtual ~GlobalHotkeys() = default;

    // A global atom for the name; its value is the hotkey id. 0 when the system refused;
    // the caller goes on with it regardless.
    virtual int32_t AddGlobalAtom(const std::wstring& name) = 0;
    virtual void DeleteGlobalAtom(int32_t atom) = 0;

    // True when the combination is now the program's; false when refused for whatever
    // reason (most often another application holds it).
    virtual bool Register(int32_t hotkeyId, int32_t modifiers, int32_t keyCode) = 0;

    // Harmless for an id that is not registered.
    virtual void Unregister(int32_t hotkeyId) = 0;
};

// Drops whatever the id held, then registers the combination. Returns the key code now
// registered, or kHotkeyNotRegistered for "(NONE)" (nothing registered, nothing shown)
// and for a refused combination (the conflict message is shown first). The caller
// stores the result in the slot's KeyCode.
int32_t RegisterOneHotkey(GlobalHotkeys& hotkeys, MessageSink& messages, int32_t modifiers,
                          const std::wstring& keyName, int32_t hotkeyId);

// Makes the three ids (atoms named by each slot's GUID and the local date and time, so
// every run has names of its own), then registers the slots in order. Each refusal
// shows its own message and the next slot is still registered.
void RegisterHotkeys(HotkeySlots& slots, GlobalHotkeys& hotkeys, MessageSink& messages);

// Unregisters the three ids, then deletes their atoms. KeyCode values stay.
void UnregisterHotkeys(const HotkeySlots& slots, GlobalHotkeys& hotkeys);

// What the user is told when the system refuses a combination. The Alt bit is never
// named: the options dialog cannot produce it.
std::wstring HotkeyConflictMessage(int32_t modifiers, const std::wstring& keyName);
