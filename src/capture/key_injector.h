#pragma once

#include <cstdint>

// Virtual-key codes of the keys the program injects, in the platform's numbering.
inline constexpr int32_t kVkShift = 16;
inline constexpr int32_t kVkControl = 17;
inline constexpr int32_t kVkAlt = 18;
inline constexpr int32_t kVkHome = 36;
inline constexpr int32_t kVkLeft = 37;
inline constexpr int32_t kVkC = 67;
inline constexpr int32_t kVkV = 86;

// Every injected event carries the extended-key flag, modifiers and letters alike:
// the targets have always been driven this way, so it stays.
inline constexpr uint32_t kKeyDownFlags = 1;  // KEYEVENTF_EXTENDEDKEY
inline constexpr uint32_t kKeyUpFlags = 3;    // KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP

// Hands key events to the system's input stream, as if typed.
class KeyInjector {
  public:
    virtual ~KeyInjector() = default;

    // One event with scan code 0 and extra information 0. Returns how many events
    // the system accepted (0 or 1), so a refusal can be noticed.
    virtual int SendKeyEvent(uint8_t vk, uint32_t flags) = 0;
};
