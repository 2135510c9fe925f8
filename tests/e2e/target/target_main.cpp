// zenvoral-target
//
// The application the convert-selection cycle works on in the end-to-end tests: a
// top-level window "Zenvoral Target" filled by a multi-line edit control. It puts
// itself in the foreground with the edit focused, so injected keys reach the edit.
// Tests set and read the edit's text and selection from another process: an edit
// control answers WM_SETTEXT, WM_GETTEXT, EM_SETSEL and EM_GETSEL across processes.

#include <windows.h>

namespace {

constexpr wchar_t kWindowClass[] = L"ZenvoralTarget";
constexpr wchar_t kTitle[] = L"Zenvoral Target";
constexpr int kEditId = 1;

HWND CreateEdit(HWND frame) {
    return CreateWindowExW(
        0, L"EDIT", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL, 0, 0, 0,
        0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), GetModuleHandleW(nullptr),
        nullptr);
}

LRESULT CALLBACK TargetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return CreateEdit(window) != nullptr ? 0 : -1;
        case WM_SIZE:
            MoveWindow(GetDlgItem(window, kEditId), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_SETFOCUS:
            // Whenever the window is activated, the keys go to the edit.
            SetFocus(GetDlgItem(window, kEditId));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RegisterTargetClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TargetWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (!RegisterTargetClass(instance)) {
        return 1;
    }
    HWND frame = CreateWindowExW(0, kWindowClass, kTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200,
                                 200, 480, 240, nullptr, nullptr, instance, nullptr);
    if (frame == nullptr) {
        return 1;
    }
    SetForegroundWindow(frame);
    SetFocus(GetDlgItem(frame, kEditId));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
