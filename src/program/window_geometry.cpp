#include "program/window_geometry.h"

#include <cmath>

#include "program/window_place.h"

namespace {

constexpr int kTwipsPerInch = 1440;

}  // namespace

int TwipsToPixels(double twips, int dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

double PixelsToTwips(double pixels, int dotsPerInch) {
    return pixels * kTwipsPerInch / dotsPerInch;
}

int WindowDotsPerInch(HWND window) {
    // GetDpiForWindow exists from Windows 10 1607 on; older systems scale the whole
    // screen alike.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const FARPROC found = user32 != nullptr ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
    if (found != nullptr && window != nullptr) {
        const UINT dotsPerInch =
            reinterpret_cast<DpiForWindow>(reinterpret_cast<void (*)()>(found))(window);
        if (dotsPerInch != 0) {
            return static_cast<int>(dotsPerInch);
        }
    }
    const HDC screen = GetDC(nullptr);
    const int dotsPerInch = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dotsPerInch > 0 ? dotsPerInch : USER_DEFAULT_SCREEN_DPI;
}

void CentreOnScreen(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (place.right - place.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (place.bottom - place.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BringOntoNearestMonitor(HWND window) {
    RECT frame{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    // Without its rectangle or a monitor's work area there is nothing to go by: the window
    // stays where it is.
    if (GetWindowRect(window, &frame) == FALSE ||
        MonitorFromRect(&frame, MONITOR_DEFAULTTONULL) != nullptr ||
        GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor) == FALSE) {
        return;
    }
    const RECT& area = monitor.rcWork;
    const ScreenRect place = MoveInsideWorkArea({frame.left, frame.top, frame.right, frame.bottom},
                                                {area.left, area.top, area.right, area.bottom});
    SetWindowPos(window, nullptr, place.Left, place.Top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
