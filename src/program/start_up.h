#pragma once

#include "program/program_state.h"

// frmMain's Form_Load: brings every part of the program up, in its fixed order, once the
// main window exists. A step that fails is skipped and the next one runs. When
// layouts.txt is missing the user is told and the main window's Exit is posted instead.
void StartUp(ProgramState& state);

// Form_Unload: writes the window's place and the pin state, releases the hotkeys, the
// tray icon and the capture services, and destroys the main window, which ends the
// message loop. Asked for during a conversion, it waits for the conversion's end.
void UnloadMainWindow(ProgramState& state);
