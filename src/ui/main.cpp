#include <windows.h>

#include "ui/main_window.h"
#include "ui/program_state.h"
#include "ui/start_up.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    ProgramState state;
    state.instance = instance;
    const MainWindowClass windowClass(instance);
    if (!windowClass.registered() || !CreateMainWindow(state)) {
        return kExitCodeNoMainWindow;
    }
    if (!StartUp(state)) {
        return state.exitCode;
    }
    return RunMessageLoop();
}
