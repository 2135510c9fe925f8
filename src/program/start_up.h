#pragma once

#include "program/program_state.h"

// frmMain's Form_Load: brings every part of the program up, in its fixed order, once
// the main window exists. A step that fails is skipped and the next one runs. Returns
// false when the program has to end instead (layouts.txt is missing: the user has been
// told and the main window has been unloaded).
bool StartUp(ProgramState& state);

// Sets PlatformKind from the system's version query.
void DetectPlatform(ProgramState& state);

// Unloads the main window: Form_Unload, then the window goes and the message loop
// ends. Asked for during a conversion, it waits for the conversion's end.
void UnloadMainWindow(ProgramState& state);
