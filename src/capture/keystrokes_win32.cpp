#include "capture/win32_capture.h"

void Win32KeyInjector::SendKeyEvent(uint8_t vk, uint32_t flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    // A refused event (input blocked by a window of higher integrity) cannot be helped;
    // the cycle's waits then end at their bounds and the user's clipboard still returns.
    static_cast<void>(SendInput(1, &input, sizeof(input)));
}

bool Win32ModifierProbe::AnyModifierDown() {
    for (const int key : {VK_LWIN, VK_RWIN, VK_CONTROL, VK_SHIFT, VK_MENU}) {
        if ((GetAsyncKeyState(key) & 0x8000) != 0) {
            return true;
        }
    }
    return false;
}
