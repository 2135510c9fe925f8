#pragma once

#include <cstdint>
#include <optional>

#include "capture/convert_cycle.h"
#include "program/hotkey_registration.h"

// One run of the convert-selection cycle as a caller asks for it.
using ConversionRequest = CycleRequest;

// Conversion button 0 to 4 of the main window: mode index + 1; the two layout buttons
// switch the input language afterwards when that is on.
ConversionRequest ConversionButtonRequest(int buttonIndex, bool autoSwitchKeyboard);

// What a hotkey message asks for: a conversion, the main window, or nothing.
struct HotkeyAction {
    std::optional<ConversionRequest> Conversion;
    bool ShowMainWindow = false;

    bool operator==(const HotkeyAction&) const = default;
};

// WM_HOTKEY's lParam holds the modifiers in its low four bits and the key in bits 16 to
// 23. The first active slot, in slot order, with exactly that combination acts: "Toggle
// layouts" copies like a layout conversion (so an empty selection falls back to the line
// before the caret) but lets the text decide the direction, "Toggle letters case" and
// "Show program window". A press of either conversion hotkey may continue on the last
// paste; a button never does.
HotkeyAction HotkeyActionFor(const HotkeySlots& slots, uint32_t lParam, bool autoSwitchKeyboard);
