#include "capture/win32_capture.h"

int Win32KeyInjector::SendKeyEvent(uint8_t vk, uint32_t flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = 0;
    input.ki.dwFlags = flags;
    input.ki.time = 0;
    input.ki.dwExtraInfo = 0;
    return static_cast<int>(SendInput(1, &input, sizeof(input)));
}
