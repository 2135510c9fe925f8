#include "program/main_window.h"

#include "program/about_window.h"
#include "program/conversion.h"
#include "program/main_window_controls.h"
#include "program/options_dialog.h"
#include "program/resources/resource_ids.h"
#include "program/start_up.h"

namespace {

constexpr UINT kDpiChangedMessage = 0x02E0;  // WM_DPICHANGED

ProgramState* StateOf(HWND window) {
    return reinterpret_cast<ProgramState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// An exit chosen while a conversion was waiting happens once it has ended.
void FinishPendingExit(ProgramState& state) {
    if (state.unloadPending && !state.cycle.Running) {
        UnloadMainWindow(state);
    }
}

void OnHotkey(ProgramState& state, LPARAM lParam) {
    if (!state.startedUp) {
        return;  // a message box of start-up is open: the program is not ready yet
    }
    const HotkeyAction action = HotkeyActionFor(state.settings.Slots, static_cast<uint32_t>(lParam),
                                                state.settings.AutoSwitchKeyboard != 0);
    if (action.Conversion) {
        RunConversion(state, *action.Conversion);
        FinishPendingExit(state);
    }
    if (action.ShowMainWindow) {
        ShowMainWindow(state);
    }
}

void OnConversionButton(ProgramState& state, int index) {
    // Hidden first, so the window the user was working in is active again and gets the
    // copy and paste keys. The system would activate whichever window is next in line,
    // which need not be that one.
    HideMainWindow(state);
    GiveKeyboardBack(state);
    RunConversion(state, ConversionButtonRequest(index, state.settings.AutoSwitchKeyboard != 0));
    FinishPendingExit(state);
    if (state.pinState == 1) {
        ShowMainWindow(state);
    }
}

void OnTrayMessage(ProgramState& state, LPARAM lParam) {
    switch (LOWORD(lParam)) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            ShowTrayMenu(state);
            break;
        case WM_LBUTTONDBLCLK:
            ShowMainWindow(state);
            break;
        default:
            break;
    }
}

// Menu items and control notifications. True when the command was ours.
bool OnCommand(ProgramState& state, WORD id, WORD notification) {
    if (id >= IDC_CONVERSION_FIRST && id < IDC_CONVERSION_FIRST + kConversionButtonCount) {
        if (notification == BN_CLICKED) {
            OnConversionButton(state, id - IDC_CONVERSION_FIRST);
        }
        return true;
    }
    switch (id) {
        case IDC_PIN_TOGGLE:
            if (notification == BN_CLICKED) {
                SetPinState(state, state.pinState == 0 ? 1 : 0);
            }
            return true;
        case IDM_SHOW:
            ShowMainWindow(state);
            return true;
        case IDM_OPTIONS:
            ShowOptions(state);
            return true;
        case IDM_ABOUT:
            ShowAboutWindow(state);
            return true;
        case IDM_EXIT:
            UnloadMainWindow(state);
            return true;
        default:
            return false;
    }
}

void OnDestroy(HWND window, ProgramState& state) {
    state.mainWindow = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    PostQuitMessage(state.exitCode);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* state = static_cast<ProgramState*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        state->mainWindow = window;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    ProgramState* state = StateOf(window);
    if (state == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == state->taskbarCreatedMessage && message != 0) {
        // The shell restarted and lost every icon: put ours back.
        if (state->trayIcon) {
            state->trayIcon->Add();
        }
        return 0;
    }
    switch (message) {
        case WM_HOTKEY:
            OnHotkey(*state, lParam);
            return 0;
        case WM_COMMAND:
            if (OnCommand(*state, LOWORD(wParam), HIWORD(wParam))) {
                return 0;
            }
            break;
        case kTrayCallbackMessage:
            OnTrayMessage(*state, lParam);
            return 0;
        case WM_CLOSE:
            // The close button only hides; the program stays resident.
            HideMainWindow(*state);
            return 0;
        case WM_QUERYENDSESSION:
            // Agree; the program ends when the session really does (WM_ENDSESSION), so a
            // shutdown cancelled by another program leaves it running.
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                UnloadMainWindow(*state);
            }
            return 0;
        case kDpiChangedMessage: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDotsPerInch(*state, LOWORD(wParam));
            return 0;
        }
        case WM_DESTROY:
            OnDestroy(window, *state);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool IsMainWindowOrChild(const ProgramState& state, HWND window) {
    return state.mainWindow != nullptr &&
           (window == state.mainWindow || IsChild(state.mainWindow, window));
}

}  // namespace

bool CreateMainWindow(ProgramState& state) {
    state.taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    // The system unregisters the class when the process ends.
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = state.instance;
    windowClass.hIcon = LoadIconW(state.instance, MAKEINTRESOURCEW(IDI_ZENVORAL));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClassName;
    if (RegisterClassExW(&windowClass) == 0 ||
        CreateWindowExW(kMainWindowExStyle, kMainWindowClassName, kProgramTitle.c_str(),
                        kMainWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr,
                        state.instance, &state) == nullptr) {
        return false;
    }
    CreateMainWindowControls(state);
    return true;
}

int RunMessageLoop(ProgramState& state) {
    MSG message{};
    for (;;) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0) {
            return static_cast<int>(message.wParam);
        }
        if (result == -1) {
            return static_cast<int>(GetLastError());
        }
        // Form_KeyUp: the window sees Escape before its controls do.
        if (message.message == WM_KEYUP && message.wParam == VK_ESCAPE &&
            IsMainWindowOrChild(state, message.hwnd)) {
            HideMainWindow(state);
            continue;
        }
        if (state.aboutWindow != nullptr && IsDialogMessageW(state.aboutWindow, &message)) {
            continue;
        }
        if (state.mainWindow != nullptr && IsDialogMessageW(state.mainWindow, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
