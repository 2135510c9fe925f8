#include <windows.h>

#include <commctrl.h>

#include "base/file_access.h"
#include "base/strings.h"
#include "program/main_window.h"
#include "program/message_box.h"
#include "program/start_up.h"

namespace {

// Held by the running instance; a second start finds it taken.
constexpr wchar_t kSingleInstanceMutexName[] =
    L"Zenvoral.SingleInstance.{5B0E7C2A-3F41-4D8E-9A62-1C7D0F4E8B35}";

}  // namespace

// Main: one instance only; otherwise the hidden main window, its start-up and the
// program's life in the message loop.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const ScopedHandle instanceMutex(CreateMutexW(nullptr, FALSE, kSingleInstanceMutexName));
    if (instanceMutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        ShowProgramMessageBox(nullptr, kAlreadyRunningMessage, MessageIcon::Information);
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    ProgramState state;
    state.instance = instance;
    state.executablePath = ExecutablePath();
    state.programFolder = FolderOf(state.executablePath);
    if (!CreateMainWindow(state)) {
        return kExitCodeNoMainWindow;
    }
    StartUp(state);
    return RunMessageLoop(state);
}
