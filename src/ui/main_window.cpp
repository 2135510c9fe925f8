#include "ui/main_window.h"

namespace {

ProgramState* StateOf(HWND window) {
    return reinterpret_cast<ProgramState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void LinkState(HWND window, LPARAM createParameters) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(createParameters);
    auto* state = static_cast<ProgramState*>(create->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->mainWindow = window;
}

void OnDestroy(HWND window) {
    ProgramState* state = StateOf(window);
    if (state == nullptr) {
        PostQuitMessage(0);
        return;
    }
    state->mainWindow = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    PostQuitMessage(state->exitCode);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            LinkState(window, lParam);
            break;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_QUERYENDSESSION:
            // Agree; the program ends when the session really does (WM_ENDSESSION), so a
            // shutdown cancelled by another program leaves it running.
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                DestroyWindow(window);
            }
            return 0;
        case WM_DESTROY:
            OnDestroy(window);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

MainWindowClass::MainWindowClass(HINSTANCE instance) : instance_(instance), atom_(0) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClassName;
    atom_ = RegisterClassExW(&windowClass);
}

MainWindowClass::~MainWindowClass() {
    if (atom_ != 0) {
        UnregisterClassW(kMainWindowClassName, instance_);
    }
}

bool CreateMainWindow(ProgramState& state) {
    const HWND window = CreateWindowExW(
        0, kMainWindowClassName, kProgramTitle.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, state.instance, &state);
    return window != nullptr;
}

void CloseMainWindow(ProgramState& state) {
    if (state.mainWindow != nullptr) {
        DestroyWindow(state.mainWindow);
    }
}

int RunMessageLoop() {
    MSG message{};
    for (;;) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0) {
            return static_cast<int>(message.wParam);
        }
        if (result == -1) {
            return static_cast<int>(GetLastError());
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
