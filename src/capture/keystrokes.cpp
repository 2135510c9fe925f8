#include "capture/keystrokes.h"

namespace {

bool IsKeyCode(int32_t vk) {
    return vk >= 0 && vk <= 255;
}

}  // namespace

int PressKeyDown(KeyInjector& keys, int32_t vk) {
    if (!IsKeyCode(vk)) {
        return 0;
    }
    return keys.SendKeyEvent(static_cast<uint8_t>(vk), kKeyDownFlags);
}

int ReleaseKey(KeyInjector& keys, int32_t vk) {
    if (!IsKeyCode(vk)) {
        return 0;
    }
    return keys.SendKeyEvent(static_cast<uint8_t>(vk), kKeyUpFlags);
}

int PressKey(KeyInjector& keys, int32_t vk) {
    if (!IsKeyCode(vk)) {
        return 0;
    }
    const int down = PressKeyDown(keys, vk);
    return down + ReleaseKey(keys, vk);
}

int SendCopyKeys(KeyInjector& keys) {
    const int control = PressKeyDown(keys, kVkControl);
    const int letter = PressKey(keys, kVkC);
    return control + letter + ReleaseKey(keys, kVkControl);
}

int SendPasteKeys(KeyInjector& keys) {
    const int control = PressKeyDown(keys, kVkControl);
    const int letter = PressKey(keys, kVkV);
    return control + letter + ReleaseKey(keys, kVkControl);
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

int SwitchKeyboardLayout(KeyInjector& keys) {
    int sent = PressKeyDown(keys, kVkAlt);
    sent += PressKeyDown(keys, kVkShift);
    sent += ReleaseKey(keys, kVkAlt);
    return sent + ReleaseKey(keys, kVkShift);
}

int ReleaseModifierKeys(KeyInjector& keys) {
    int sent = 0;
    for (int round = 0; round < 3; ++round) {
        sent += ReleaseKey(keys, kVkShift);
        sent += ReleaseKey(keys, kVkControl);
        sent += ReleaseKey(keys, kVkAlt);
    }
    return sent;
}
