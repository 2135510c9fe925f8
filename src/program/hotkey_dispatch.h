#pragma once

#include <cstdint>
#include <optional>

#include "hotkeys/hotkey_slots.h"

// The combination a hotkey message reports.
struct HotkeyPress {
    int32_t Modifiers = 0;  // 1 Alt, 2 Ctrl, 4 Shift, 8 Win
    int32_t KeyCode = 0;
};

// WM_HOTKEY's lParam: the modifiers in the low four bits, the key in bits 16 to 23.
HotkeyPress DecodeHotkeyMessage(uint32_t lParam);

// The first slot, in slot order, registered with exactly this combination.
std::optional<size_t> FindHotkeySlot(const HotkeySlots& slots, const HotkeyPress& press);

// One run of the convert-selection cycle as a caller asks for it.
struct ConversionRequest {
    int32_t CopyMode = 0;
    int32_t ConvertMode = 0;
    bool AutoDirection = false;      // the conversion picks its direction from the text
    bool SwitchLayoutAfter = false;  // then Alt+Shift and every modifier released
};

bool operator==(const ConversionRequest& left, const ConversionRequest& right);

// "Toggle layouts": copies like a layout conversion (so an empty selection falls back to
// the line before the caret) but lets the text decide the direction.
ConversionRequest ToggleLayoutsRequest(bool autoSwitchKeyboard);

// "Toggle letters case".
ConversionRequest ToggleCaseRequest();

// Conversion button 0 to 4 of the main window: mode index + 1; the two layout buttons
// switch the input language afterwards when that is on.
ConversionRequest ConversionButtonRequest(int buttonIndex, bool autoSwitchKeyboard);

// What the hotkeys set in motion; the program acts, tests record.
class HotkeyActions {
  public:
    virtual ~HotkeyActions() = default;
    virtual void Convert(const ConversionRequest& request) = 0;
    virtual void ShowMainWindow() = 0;
};

// Runs the action of the slot a hotkey message names; a combination no slot holds
// does nothing. Returns the slot that acted.
std::optional<size_t> DispatchHotkeyMessage(const HotkeySlots& slots, uint32_t lParam,
                                            bool autoSwitchKeyboard, HotkeyActions& actions);
