#pragma once

#include <cstdint>

#include "capture/cycle_clock.h"
#include "capture/key_injector.h"

// The key primitives and the fixed key sequences built from them. Each returns how
// many events the system accepted. A key code outside 0 to 255 sends nothing.

int PressKeyDown(KeyInjector& keys, int32_t vk);
int ReleaseKey(KeyInjector& keys, int32_t vk);

// A key-down and at once its key-up.
int PressKey(KeyInjector& keys, int32_t vk);

// Ctrl+C.
int SendCopyKeys(KeyInjector& keys);

// Ctrl+V.
int SendPasteKeys(KeyInjector& keys);

// Selects the text before the caret, then gives the target `delay` seconds to do it:
// from the line's start for the layout conversions (modes 1 and 2), where a whole
// phrase is usually typed in the wrong layout, and the word before the caret for
// every other mode.
void SelectBeforeCaret(KeyInjector& keys, CycleClock& clock, int32_t mode, float delay);

// Alt+Shift, the input-language switch; Alt goes up before Shift.
int SwitchKeyboardLayout(KeyInjector& keys);

// Key-ups for Shift, Ctrl and Alt, three rounds: nine events.
int ReleaseModifierKeys(KeyInjector& keys);
