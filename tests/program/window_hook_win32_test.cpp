#include <windows.h>

#include <gtest/gtest.h>

#include "program/program_state.h"
#include "program/window_hook.h"

namespace {

constexpr wchar_t kTestClassName[] = L"ZenvoralHookTestWindow";
constexpr UINT kProbeMessage = WM_APP + 7;
constexpr LRESULT kProbeResult = 4711;

// What reached the window's own procedure: the test's stand-in for the main window's
// procedure behind the hook.
struct Received {
    int probes = 0;
    int hotkeys = 0;
};

Received* ReceivedOf(HWND window) {
    return reinterpret_cast<Received*>(GetPropW(window, L"received"));
}

LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Received* received = ReceivedOf(window); received != nullptr) {
        if (message == kProbeMessage) {
            ++received->probes;
            return kProbeResult;
        }
        if (message == WM_HOTKEY) {
            ++received->hotkeys;
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

constexpr LPARAM HotkeyLParam(int modifiers, int key) {
    return static_cast<LPARAM>((key << 16) | modifiers);
}

class WindowHookTest : public testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = RecordingWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kTestClassName;
        RegisterClassExW(&windowClass);
        window_ = CreateWindowExW(0, kTestClassName, L"hook test", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        SetPropW(window_, L"received", &received_);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state_));
        state_.mainWindow = window_;
        state_.settings.Slots[0] = {L"F9", 8, VK_F9, 1};
        state_.settings.Slots[1] = {L"F10", 8, VK_F10, 2};
        state_.settings.Slots[2] = {L"F11", 8, VK_F11, 3};
    }

    void TearDown() override {
        UnhookWindow(state_, window_);
        RemovePropW(window_, L"received");
        DestroyWindow(window_);
        UnregisterClassW(kTestClassName, GetModuleHandleW(nullptr));
    }

    WNDPROC CurrentProcedure() const {
        return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC));
    }

    HWND window_ = nullptr;
    Received received_;
    ProgramState state_;
};

TEST_F(WindowHookTest, EveryMessageReachesThePreviousProcedureOnceWithItsResult) {
    HookWindow(state_, window_);
    EXPECT_EQ(state_.PreviousWindowProc, &RecordingWindowProc);
    EXPECT_EQ(SendMessageW(window_, kProbeMessage, 0, 0), kProbeResult);
    EXPECT_EQ(received_.probes, 1);
}

TEST_F(WindowHookTest, ShowProgramWindowHotkeyShowsTheWindowOnTopAndPassesTheMessageOn) {
    HookWindow(state_, window_);
    SendMessageW(window_, WM_HOTKEY, 3, HotkeyLParam(8, VK_F11));
    EXPECT_EQ(received_.hotkeys, 1);
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_NE(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(WindowHookTest, UnknownCombinationOnlyPassesTheMessageOn) {
    HookWindow(state_, window_);
    SendMessageW(window_, WM_HOTKEY, 9, HotkeyLParam(4, VK_F11));
    EXPECT_EQ(received_.hotkeys, 1);
    EXPECT_FALSE(IsWindowVisible(window_));
}

TEST_F(WindowHookTest, ConversionHotkeyWithoutCaptureServicesIsPassedOnOnce) {
    HookWindow(state_, window_);
    SendMessageW(window_, WM_HOTKEY, 1, HotkeyLParam(8, VK_F9));
    SendMessageW(window_, WM_HOTKEY, 2, HotkeyLParam(8, VK_F10));
    EXPECT_EQ(received_.hotkeys, 2);
    EXPECT_FALSE(state_.cycle.AutoDirection);
}

TEST_F(WindowHookTest, UnhookPutsThePreviousProcedureBack) {
    HookWindow(state_, window_);
    EXPECT_NE(CurrentProcedure(), &RecordingWindowProc);
    UnhookWindow(state_, window_);
    EXPECT_EQ(CurrentProcedure(), &RecordingWindowProc);
    EXPECT_EQ(state_.PreviousWindowProc, nullptr);
    EXPECT_EQ(SendMessageW(window_, kProbeMessage, 0, 0), kProbeResult);
    EXPECT_EQ(received_.probes, 1);
}

TEST_F(WindowHookTest, UnhookBeforeAnyHookLeavesTheProcedureAlone) {
    UnhookWindow(state_, window_);
    EXPECT_EQ(CurrentProcedure(), &RecordingWindowProc);
}

}  // namespace
