#include <algorithm>
#include <cmath>

#include "capture/win32_capture.h"

namespace {

// How often a condition without a message of its own (a key being released) is
// looked at while waiting.
constexpr double kConditionCheckSeconds = 0.002;

// Dispatches everything waiting for this thread. False when the program is quitting:
// the quit message goes back in the queue for the main loop and the wait ends.
bool ServePendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

DWORD ToTimeout(double seconds) {
    // Rounded up, so a wait never ends a fraction of a millisecond early and loops.
    return static_cast<DWORD>(std::ceil(seconds * 1000.0));
}

}  // namespace

MessageServingClock::MessageServingClock() {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    frequency_ = static_cast<double>(frequency.QuadPart);
}

double MessageServingClock::Now() {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency_;
}

void MessageServingClock::Wait(float seconds) {
    static_cast<void>(WaitUntil(seconds, nullptr));
}

bool MessageServingClock::WaitUntil(float seconds, const std::function<bool()>& happened) {
    const auto hasHappened = [&] { return happened && happened(); };
    if (!(seconds > 0.0f)) {
        return hasHappened();
    }
    const double end = Now() + static_cast<double>(seconds);
    for (;;) {
        if (hasHappened()) {
            return true;
        }
        const double remaining = end - Now();
        if (remaining <= 0.0) {
            return false;
        }
        const double slice = happened ? std::min(remaining, kConditionCheckSeconds) : remaining;
        MsgWaitForMultipleObjectsEx(0, nullptr, ToTimeout(slice), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (!ServePendingMessages()) {
            return hasHappened();
        }
    }
}
