// zenvoral-target: the application the user types in, in the end-to-end tests and the
// cycle benchmark. A window "Zenvoral Target" filled by a multi-line edit, which the
// test driver sets and reads from another process (WM_SETTEXT, EM_SETSEL, WM_GETTEXT).

#include <windows.h>

namespace {

constexpr int kEditId = 1;

LRESULT CALLBACK TargetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return CreateWindowExW(0, L"EDIT", L"",
                                   WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_NOHIDESEL, 0, 0, 0, 0,
                                   window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                                   nullptr, nullptr) != nullptr
                       ? 0
                       : -1;
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

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TargetWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"ZenvoralTarget";
    if (RegisterClassExW(&windowClass) == 0 ||
        CreateWindowExW(0, L"ZenvoralTarget", L"Zenvoral Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        200, 200, 480, 240, nullptr, nullptr, instance, nullptr) == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
