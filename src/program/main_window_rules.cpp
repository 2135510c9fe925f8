#include "program/main_window_rules.h"

namespace {

constexpr uint32_t kLeftButtonDown = 0x0201;
constexpr uint32_t kLeftButtonDoubleClick = 0x0203;
constexpr uint32_t kRightButtonDown = 0x0204;

}  // namespace

int32_t AcceptedPinState(int32_t storedValue) {
    return storedValue >= 0 && storedValue <= 2 ? storedValue : 0;
}

bool PinShowsOnImage(int32_t pinState) {
    return pinState != 0;
}

bool PinBringsWindowBack(int32_t pinState) {
    return pinState == 1;
}

int32_t PinStateAfterClick(int32_t pinState) {
    return pinState == 0 ? 1 : 0;
}

TrayReaction ReactToTrayMouseMessage(uint32_t mouseMessage) {
    switch (mouseMessage) {
        case kLeftButtonDown:
        case kRightButtonDown:
            return TrayReaction::OpenMenu;
        case kLeftButtonDoubleClick:
            return TrayReaction::ShowWindow;
        default:
            return TrayReaction::Nothing;
    }
}

int32_t PlatformKindFromVersionQuery(bool succeeded, int64_t platformId, int32_t currentKind) {
    if (!succeeded) {
        return -1;
    }
    if (platformId == 0 || platformId == 1) {
        return 1;
    }
    if (platformId == 2) {
        return 2;
    }
    return currentKind;
}
