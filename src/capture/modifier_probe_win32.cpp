#include "capture/win32_capture.h"

bool Win32ModifierProbe::AnyModifierDown() {
    for (const int key : {VK_LWIN, VK_RWIN, VK_CONTROL, VK_SHIFT, VK_MENU}) {
        if ((GetAsyncKeyState(key) & 0x8000) != 0) {
            return true;
        }
    }
    return false;
}
