#pragma once

// Tells whether the user still physically holds a modifier key. A hotkey's own
// modifiers are usually still down when the cycle starts, and they would combine
// with the injected keys (Win+Ctrl+C is not a copy).
class ModifierProbe {
  public:
    virtual ~ModifierProbe() = default;

    // True while Win, Ctrl, Shift or Alt is held down.
    virtual bool AnyModifierDown() = 0;
};
