#include "program/window_hook.h"

#include "program/conversion_wiring.h"
#include "program/hotkey_dispatch.h"
#include "program/main_window.h"

void HookWindow(ProgramState& state, HWND hWnd) {
    const LONG_PTR replaced =
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HotkeyWindowProc));
    state.PreviousWindowProc = reinterpret_cast<WNDPROC>(replaced);
}

void UnhookWindow(ProgramState& state, HWND hWnd) {
    if (state.PreviousWindowProc == nullptr) {
        return;  // never set a window procedure to nothing
    }
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state.PreviousWindowProc));
    state.PreviousWindowProc = nullptr;
}

LRESULT CALLBACK HotkeyWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    ProgramState* state = StateOf(hWnd);
    if (state == nullptr || state->PreviousWindowProc == nullptr) {
        return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }
    // Taken before the action: "E&xit" chosen during a conversion unhooks the window,
    // and this message still belongs to the procedure that was in place when it came.
    const WNDPROC previous = state->PreviousWindowProc;
    if (hWnd == state->mainWindow && uMsg == WM_HOTKEY) {
        ProgramHotkeyActions actions(*state);
        static_cast<void>(DispatchHotkeyMessage(state->settings.Slots,
                                                static_cast<uint32_t>(lParam),
                                                state->settings.AutoSwitchKeyboard != 0, actions));
    }
    return CallWindowProcW(previous, hWnd, uMsg, wParam, lParam);
}
