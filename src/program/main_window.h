#pragma once

#include "program/program_state.h"

// The main window's class and its procedure, where every event of the running program
// arrives: hotkeys, the buttons, the tray icon and its menu, the end of the session.

inline constexpr wchar_t kMainWindowClassName[] = L"ZenvoralMainWindow";

// Registers the class and creates frmMain hidden, with its controls, linked to the state
// (state.mainWindow is set while it is created). False when it could not be made.
bool CreateMainWindow(ProgramState& state);

// Dispatches messages until the main window is gone; returns the process's exit code.
// Escape released over the main window or one of its controls hides it.
int RunMessageLoop(ProgramState& state);
