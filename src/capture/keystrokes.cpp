#include "capture/keystrokes.h"

void PressKeyDown(KeyInjector& keys, uint8_t vk) {
    keys.SendKeyEvent(vk, kKeyDownFlags);
}

void ReleaseKey(KeyInjector& keys, uint8_t vk) {
    keys.SendKeyEvent(vk, kKeyUpFlags);
}

void PressKey(KeyInjector& keys, uint8_t vk) {
    PressKeyDown(keys, vk);
    ReleaseKey(keys, vk);
}

void SendCopyKeys(KeyInjector& keys) {
    PressKeyDown(keys, kVkControl);
    PressKey(keys, kVkC);
    ReleaseKey(keys, kVkControl);
}

void SendPasteKeys(KeyInjector& keys) {
    PressKeyDown(keys, kVkControl);
    PressKey(keys, kVkV);
    ReleaseKey(keys, kVkControl);
}

void SelectBeforeCaret(KeyInjector& keys, CycleClock& clock, int32_t mode, float delay) {
    if (mode == 1 || mode == 2) {
        PressKeyDown(keys, kVkShift);
        PressKey(keys, kVkHome);
        ReleaseKey(keys, kVkShift);
    } else {
        PressKeyDown(keys, kVkControl);
        PressKeyDown(keys, kVkShift);
        PressKey(keys, kVkLeft);
        ReleaseKey(keys, kVkShift);
        ReleaseKey(keys, kVkControl);
    }
    // Nothing visible tells when the target has moved its selection: wait it out.
    clock.Wait(delay);
}

void SwitchKeyboardLayout(KeyInjector& keys) {
    PressKeyDown(keys, kVkAlt);
    PressKeyDown(keys, kVkShift);
    ReleaseKey(keys, kVkAlt);
    ReleaseKey(keys, kVkShift);
}

void ReleaseModifierKeys(KeyInjector& keys) {
    for (int round = 0; round < 3; ++round) {
        ReleaseKey(keys, kVkShift);
        ReleaseKey(keys, kVkControl);
        ReleaseKey(keys, kVkAlt);
    }
}
