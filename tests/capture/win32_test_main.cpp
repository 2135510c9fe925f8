#include <gtest/gtest.h>

#include "win32_test_window.h"

namespace {

struct TestWindowState {
    HWND window = nullptr;
    int served = 0;
};

TestWindowState& State() {
    static TestWindowState state;
    return state;
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTestMessage) {
        ++State().served;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateTestWindow() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZenvoralCaptureTestWindow";
    RegisterClassExW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"capture tests", WS_OVERLAPPEDWINDOW, 0,
                           0, 100, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
}

}  // namespace

HWND TestWindow() {
    return State().window;
}

int& ServedTestMessages() {
    return State().served;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    State().window = CreateTestWindow();
    if (State().window == nullptr) {
        return 2;
    }
    const int result = RUN_ALL_TESTS();
    DestroyWindow(State().window);
    return result;
}
