#include "program/hotkey_dispatch.h"

ConversionRequest ConversionButtonRequest(int buttonIndex, bool autoSwitchKeyboard) {
    const bool layoutButton = buttonIndex == 0 || buttonIndex == 1;
    return {buttonIndex + 1, buttonIndex + 1, false, layoutButton && autoSwitchKeyboard, false};
}

HotkeyAction HotkeyActionFor(const HotkeySlots& slots, uint32_t lParam, bool autoSwitchKeyboard) {
    const auto modifiers = static_cast<int32_t>(lParam & 0xFu);
    const auto keyCode = static_cast<int32_t>((lParam >> 16) & 0xFFu);
    for (size_t index = 0; index < slots.size(); ++index) {
        const HotkeySlot& slot = slots[index];
        if (!slot.IsActive() || slot.Modifiers != modifiers || slot.KeyCode != keyCode) {
            continue;
        }
        switch (index) {
            case 0:
                return {ConversionRequest{1, 0, true, autoSwitchKeyboard, true}};
            case 1:
                return {ConversionRequest{3, 8, false, false, true}};
            default:
                return {std::nullopt, true};
        }
    }
    return {};
}
