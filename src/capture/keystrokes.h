#pragma once

#include <cstdint>
#include <string_view>

#include "capture/cycle_clock.h"

// Virtual-key codes of the keys the program injects, in the platform's numbering.
inline constexpr uint8_t kVkShift = 16;
inline constexpr uint8_t kVkControl = 17;
inline constexpr uint8_t kVkAlt = 18;
inline constexpr uint8_t kVkHome = 36;
inline constexpr uint8_t kVkLeft = 37;
inline constexpr uint8_t kVkRight = 39;
inline constexpr uint8_t kVkInsert = 45;
inline constexpr uint8_t kVkC = 67;
inline constexpr uint8_t kVkV = 86;

enum class KeyMotion { Down, Up };

// Hands key events to the system's input stream, as a keyboard would send them.
class KeyInjector {
  public:
    virtual ~KeyInjector() = default;

    virtual void SendKeyEvent(uint8_t vk, KeyMotion motion) = 0;
};

// Keys that a real keyboard sends with the extended-key prefix: the navigation block
// beside the letters, the arrows, the right-hand Ctrl and Alt, the Windows and menu keys,
// Num Lock and the keypad's divide. An injected event has to carry the flag exactly
// where a keyboard does: a console reads an extended C as a control character, and
// programs that look at scan codes tell left from right and keypad from arrows by it.
bool IsExtendedKey(uint8_t vk);

// Tells whether the user still physically holds a modifier key. A hotkey's own
// modifiers are usually still down when the cycle starts, and they would combine
// with the injected keys (Win+Ctrl+C is not a copy).
class ModifierProbe {
  public:
    virtual ~ModifierProbe() = default;

    // True while Win, Ctrl, Shift or Alt is held down.
    virtual bool AnyModifierDown() = 0;
};

// How the target copies and pastes: the usual Ctrl+C and Ctrl+V, or, in a console or
// terminal, where Ctrl+C interrupts the running command and Ctrl+V may type a control
// character, Ctrl+Insert and Shift+Insert.
enum class ClipboardKeys { Standard, Terminal };

// The key primitives and the fixed key sequences built from them. No event waits for
// the target; pacing is the caller's business.
void PressKeyDown(KeyInjector& keys, uint8_t vk);
void ReleaseKey(KeyInjector& keys, uint8_t vk);
void PressKey(KeyInjector& keys, uint8_t vk);  // a key-down and at once its key-up
void SendCopyKeys(KeyInjector& keys, ClipboardKeys kind);
void SendPasteKeys(KeyInjector& keys, ClipboardKeys kind);

// Selects the text before the caret, then gives the target `delay` seconds to do it:
// from the line's start for the layout conversions (modes 1 and 2), where a whole
// phrase is usually typed in the wrong layout, and the word before the caret for
// every other mode.
void SelectBeforeCaret(KeyInjector& keys, CycleClock& clock, int32_t mode, float delay);

// How many Left presses move the caret back over `text` in an edit control: a CR LF line
// break and a surrogate pair are one stop each, and a combining mark (general categories
// Mn and Me: accents, Hebrew points, Arabic harakat) goes with the character before it.
// Two characters that show as one ligature, as Arabic lam and alef do, stay two stops.
int CountCaretStops(std::wstring_view text);

// Shift with `arrow` (Left or Right) pressed `stops` times: moves the caret end of the
// selection that many caret stops, the other end staying where it is.
void MoveSelectionEnd(KeyInjector& keys, uint8_t arrow, int stops);

// Alt+Shift, the input-language switch; Alt goes up before Shift.
void SwitchKeyboardLayout(KeyInjector& keys);

// Key-ups for Shift, Ctrl and Alt, three rounds: nine events.
void ReleaseModifierKeys(KeyInjector& keys);
