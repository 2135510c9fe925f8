#include "hotkeys/hotkey_slots.h"

#include <ctime>

#include "hotkeys/hotkey_text.h"

int32_t RegisterOneHotkey(HotkeyRegistrar& registrar, MessageSink& messages, int32_t modifiers,
                          const std::wstring& keyName, const int32_t& hotkeyId) {
    // Dropping the slot's own registration first lets it register the same
    // combination again.
    registrar.Unregister(hotkeyId);
    if (keyName == kNoHotkeyName) {
        return kHotkeyNotRegistered;
    }
    const int32_t keyCode = KeyNameToKeyCode(keyName);
    if (registrar.Register(hotkeyId, modifiers, keyCode)) {
        return keyCode;
    }
    messages.ShowMessage(HotkeyConflictMessage(modifiers, keyName), MessageIcon::Exclamation);
    return kHotkeyNotRegistered;
}

void RegisterHotkeys(HotkeySlots& slots, HotkeyRegistrar& registrar, MessageSink& messages,
                     const std::wstring& timeStamp) {
    for (size_t i = 0; i < kHotkeySlotCount; ++i) {
        const std::wstring atomName = std::wstring(kHotkeySlotDefinitions[i].atomGuid) + timeStamp;
        slots[i].HotkeyId = registrar.AddAtom(atomName);
    }
    for (HotkeySlot& slot : slots) {
        slot.KeyCode =
            RegisterOneHotkey(registrar, messages, slot.Modifiers, slot.KeyName, slot.HotkeyId);
    }
}

void UnregisterHotkeys(const HotkeySlots& slots, HotkeyRegistrar& registrar) {
    for (const HotkeySlot& slot : slots) {
        registrar.Unregister(slot.HotkeyId);
    }
    for (const HotkeySlot& slot : slots) {
        registrar.DeleteAtom(slot.HotkeyId);
    }
}

std::wstring CurrentLocalTimeText() {
    const std::time_t now = std::time(nullptr);
    // The user-interface thread is the only caller, so the shared buffer of
    // localtime is safe here.
    const std::tm* local = std::localtime(&now);
    char text[32] = {};
    if (local == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local) == 0) {
        return std::to_wstring(static_cast<long long>(now));
    }
    return std::wstring(text, text + std::char_traits<char>::length(text));
}
