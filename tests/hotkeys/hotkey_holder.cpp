// Holds one global hotkey for the registration tests, the way another application
// would. Usage: hotkey_holder <modifiers> <key code> <ready event name> <parent pid>
// Signals the event once the hotkey is registered (exit code 2 when it could not be),
// then holds it until its parent ends or it is ended itself.

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        return 1;
    }
    const UINT modifiers = static_cast<UINT>(std::wcstoul(argv[1], nullptr, 10));
    const UINT keyCode = static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10));
    const DWORD parentId = std::wcstoul(argv[4], nullptr, 10);

    HANDLE parent = OpenProcess(SYNCHRONIZE, FALSE, parentId);
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
    HWND window = CreateWindowExW(0, L"STATIC", L"hotkey holder", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, nullptr, nullptr);
    if (parent == nullptr || ready == nullptr || window == nullptr) {
        return 1;
    }
    if (!RegisterHotKey(window, 1, modifiers, keyCode)) {
        return 2;
    }
    SetEvent(ready);
    // Outliving a test that crashed would keep the combination taken for every later test.
    WaitForSingleObject(parent, INFINITE);
    UnregisterHotKey(window, 1);
    DestroyWindow(window);
    CloseHandle(ready);
    CloseHandle(parent);
    return 0;
}
