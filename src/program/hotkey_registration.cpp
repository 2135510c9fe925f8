#include "program/hotkey_registration.h"

#include <ctime>

namespace {

// "2024-12-06 19:12:45"; only the user-interface thread calls it, so the shared buffer
// of localtime is safe.
std::wstring LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[32] = {};
    if (local == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local) == 0) {
        return std::to_wstring(static_cast<long long>(now));
    }
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

}  // namespace

int32_t RegisterOneHotkey(GlobalHotkeys& hotkeys, MessageSink& messages, int32_t modifiers,
                          const std::wstring& keyName, int32_t hotkeyId) {
    // Dropping the slot's own registration first lets it register the same combination
    // again.
    hotkeys.Unregister(hotkeyId);
    // An empty name, like "(NONE)", means no hotkey: registering key code 0 would only
    // fail or take a combination nobody can press.
    if (keyName == kNoHotkeyName || keyName.empty()) {
        return kHotkeyNotRegistered;
    }
    const int32_t keyCode = KeyNameToKeyCode(keyName);
    if (hotkeys.Register(hotkeyId, modifiers, keyCode)) {
        return keyCode;
    }
    messages.ShowMessage(HotkeyConflictMessage(modifiers, keyName), MessageIcon::Exclamation);
    return kHotkeyNotRegistered;
}

void RegisterHotkeys(HotkeySlots& slots, GlobalHotkeys& hotkeys, MessageSink& messages) {
    const std::wstring timeStamp = LocalTimeText();
    for (size_t i = 0; i < kHotkeySlotCount; ++i) {
        slots[i].HotkeyId =
            hotkeys.AddGlobalAtom(std::wstring(kHotkeySlotDefinitions[i].atomGuid) + timeStamp);
    }
    for (HotkeySlot& slot : slots) {
        slot.KeyCode =
            RegisterOneHotkey(hotkeys, messages, slot.Modifiers, slot.KeyName, slot.HotkeyId);
    }
}

void UnregisterHotkeys(const HotkeySlots& slots, GlobalHotkeys& hotkeys) {
    for (const HotkeySlot& slot : slots) {
        hotkeys.Unregister(slot.HotkeyId);
    }
    for (const HotkeySlot& slot : slots) {
        hotkeys.DeleteGlobalAtom(slot.HotkeyId);
    }
}

std::wstring HotkeyConflictMessage(int32_t modifiers, const std::wstring& keyName) {
    std::wstring message = L"Current hotkey ";
    if (modifiers & kModControl) {
        message += L"Ctrl + ";
    }
    if (modifiers & kModShift) {
        message += L"Shift + ";
    }
    if (modifiers & kModWin) {
        message += L"Win + ";
    }
    return message + keyName + L" is used by another application.\r\nPlease select another one.";
}
