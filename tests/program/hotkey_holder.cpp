// Holds one global hotkey, as another application would, until its parent ends.
// Usage: hotkey_holder <modifiers> <key code> <parent pid>

#include <windows.h>

#include <cwchar>

#include "base/scoped_win.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        return 1;
    }
    const ScopedHandle parent(OpenProcess(SYNCHRONIZE, FALSE, std::wcstoul(argv[3], nullptr, 10)));
    if (!parent || !RegisterHotKey(nullptr, 1, std::wcstoul(argv[1], nullptr, 10),
                                   std::wcstoul(argv[2], nullptr, 10))) {
        return 2;
    }
    // Outliving a test that crashed would keep the combination taken for every later test.
    WaitForSingleObject(parent.get(), INFINITE);
    return 0;
}
