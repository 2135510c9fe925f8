#include <windows.h>

#include <commctrl.h>

#include "base/file_access.h"
#include "program/main_window.h"
#include "program/message_box_win32.h"
#include "program/program_state.h"
#include "program/start_up.h"
#include "program/ui_texts.h"
#include "program/version_info.h"

namespace {

// Held by the running instance; a second start finds it taken.
constexpr wchar_t kSingleInstanceMutexName[] =
    L"Zenvoral.SingleInstance.{5B0E7C2A-3F41-4D8E-9A62-1C7D0F4E8B35}";

class SingleInstanceLock {
  public:
    explicit SingleInstanceLock(const wchar_t* name)
        : mutex_(CreateMutexW(nullptr, FALSE, name)),
          anotherRunning_(mutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {}
    ~SingleInstanceLock() {
        if (mutex_ != nullptr) {
            CloseHandle(mutex_);
        }
    }
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    bool AnotherIsRunning() const { return anotherRunning_; }

  private:
    HANDLE mutex_;
    bool anotherRunning_;
};

void InitialiseCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
}

}  // namespace

// Main: one instance only; otherwise the hidden main window and its start-up.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const SingleInstanceLock lock(kSingleInstanceMutexName);
    if (lock.AnotherIsRunning()) {
        ShowProgramMessageBox(nullptr, kAlreadyRunningMessage, MessageIcon::Information);
        return 0;
    }
    InitialiseCommonControls();
    ProgramState state;
    state.instance = instance;
    state.version = ReadVersionNumbers(instance);
    state.executablePath = ExecutablePath();
    state.taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    const MainWindowClass windowClass(instance);
    if (!windowClass.registered() || !CreateMainWindow(state)) {
        return kExitCodeNoMainWindow;
    }
    if (!StartUp(state)) {
        return state.exitCode;
    }
    return RunMessageLoop(state);
}
