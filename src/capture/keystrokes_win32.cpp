#include "capture/win32_capture.h"

void Win32KeyInjector::SendKeyEvent(uint8_t vk, KeyMotion motion) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0) |
                       (motion == KeyMotion::Up ? KEYEVENTF_KEYUP : 0);
    // A refused event cannot be helped; windows that refuse all of them (those of programs
    // run as administrator) are recognised before the cycle sends any.
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
