#pragma once

#include <cstdint>

#include "capture/cycle_clock.h"

// Virtual-key codes of the keys the program injects, in the platform's numbering.
inline constexpr uint8_t kVkShift = 16;
inline constexpr uint8_t kVkControl = 17;
inline constexpr uint8_t kVkAlt = 18;
inline constexpr uint8_t kVkHome = 36;
inline constexpr uint8_t kVkLeft = 37;
inline constexpr uint8_t kVkC = 67;
inline constexpr uint8_t kVkV = 86;

// Every injected event carries the extended-key flag, modifiers and letters alike:
// the targets have always been driven this way, so it stays.
inline constexpr uint32_t kKeyDownFlags = 1;  // KEYEVENTF_EXTENDEDKEY
inline constexpr uint32_t kKeyUpFlags = 3;    // KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP

// Hands key events to the system's input stream, as if typed.
class KeyInjector {
  public:
    virtual ~KeyInjector() = default;

    // One event with scan code 0 and extra information 0.
    virtual void SendKeyEvent(uint8_t vk, uint32_t flags) = 0;
};

// Tells whether the user still physically holds a modifier key. A hotkey's own
// modifiers are usually still down when the cycle starts, and they would combine
// with the injected keys (Win+Ctrl+C is not a copy).
class ModifierProbe {
  public:
    virtual ~ModifierProbe() = default;

    // True while Win, Ctrl, Shift or Alt is held down.
    virtual bool AnyModifierDown() = 0;
};

// The key primitives and the fixed key sequences built from them. No event waits for
// the target; pacing is the caller's business.
void PressKeyDown(KeyInjector& keys, uint8_t vk);
void ReleaseKey(KeyInjector& keys, uint8_t vk);
void PressKey(KeyInjector& keys, uint8_t vk);  // a key-down and at once its key-up
void SendCopyKeys(KeyInjector& keys);          // Ctrl+C
void SendPasteKeys(KeyInjector& keys);         // Ctrl+V

// Selects the text before the caret, then gives the target `delay` seconds to do it:
// from the line's start for the layout conversions (modes 1 and 2), where a whole
// phrase is usually typed in the wrong layout, and the word before the caret for
// every other mode.
void SelectBeforeCaret(KeyInjector& keys, CycleClock& clock, int32_t mode, float delay);

// Alt+Shift, the input-language switch; Alt goes up before Shift.
void SwitchKeyboardLayout(KeyInjector& keys);

// Key-ups for Shift, Ctrl and Alt, three rounds: nine events.
void ReleaseModifierKeys(KeyInjector& keys);
