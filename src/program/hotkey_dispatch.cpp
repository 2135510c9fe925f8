#include "program/hotkey_dispatch.h"

namespace {

constexpr size_t kToggleLayoutsSlot = 0;
constexpr size_t kToggleCaseSlot = 1;
constexpr size_t kShowWindowSlot = 2;

}  // namespace

HotkeyPress DecodeHotkeyMessage(uint32_t lParam) {
    return {static_cast<int32_t>(lParam & 0xFu), static_cast<int32_t>((lParam >> 16) & 0xFFu)};
}

std::optional<size_t> FindHotkeySlot(const HotkeySlots& slots, const HotkeyPress& press) {
    for (size_t index = 0; index < slots.size(); ++index) {
        const HotkeySlot& slot = slots[index];
        if (slot.IsActive() && slot.Modifiers == press.Modifiers && slot.KeyCode == press.KeyCode) {
            return index;
        }
    }
    return std::nullopt;
}

bool operator==(const ConversionRequest& left, const ConversionRequest& right) {
    return left.CopyMode == right.CopyMode && left.ConvertMode == right.ConvertMode &&
           left.AutoDirection == right.AutoDirection &&
           left.SwitchLayoutAfter == right.SwitchLayoutAfter;
}

ConversionRequest ToggleLayoutsRequest(bool autoSwitchKeyboard) {
    return {1, 0, true, autoSwitchKeyboard};
}

ConversionRequest ToggleCaseRequest() {
    return {3, 8, false, false};
}

ConversionRequest ConversionButtonRequest(int buttonIndex, bool autoSwitchKeyboard) {
    const bool layoutButton = buttonIndex == 0 || buttonIndex == 1;
    return {buttonIndex + 1, buttonIndex + 1, false, layoutButton && autoSwitchKeyboard};
}

std::optional<size_t> DispatchHotkeyMessage(const HotkeySlots& slots, uint32_t lParam,
                                            bool autoSwitchKeyboard, HotkeyActions& actions) {
    const std::optional<size_t> slot = FindHotkeySlot(slots, DecodeHotkeyMessage(lParam));
    if (slot == kToggleLayoutsSlot) {
        actions.Convert(ToggleLayoutsRequest(autoSwitchKeyboard));
    } else if (slot == kToggleCaseSlot) {
        actions.Convert(ToggleCaseRequest());
    } else if (slot == kShowWindowSlot) {
        actions.ShowMainWindow();
    }
    return slot;
}
