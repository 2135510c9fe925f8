#pragma once

#include <windows.h>

#include "ui/program_state.h"

inline constexpr wchar_t kMainWindowClassName[] = L"ZenvoralMainWindow";

// The process's exit code when the program ended because layouts.txt was missing.
inline constexpr int kExitCodeMissingLayouts = 1;
// ... and when its main window could not be made.
inline constexpr int kExitCodeNoMainWindow = 2;

// Registers the main window's class for the lifetime of the object.
class MainWindowClass {
  public:
    explicit MainWindowClass(HINSTANCE instance);
    ~MainWindowClass();
    MainWindowClass(const MainWindowClass&) = delete;
    MainWindowClass& operator=(const MainWindowClass&) = delete;

    bool registered() const { return atom_ != 0; }

  private:
    HINSTANCE instance_;
    ATOM atom_;
};

// Creates the hidden main window linked to the state (state.mainWindow is set while it
// is created). Returns false when it could not be created.
bool CreateMainWindow(ProgramState& state);

// Destroys the main window if it still exists; its destruction ends the message loop
// with state.exitCode.
void CloseMainWindow(ProgramState& state);

// Dispatches messages until the main window is gone; returns the process's exit code.
int RunMessageLoop();
