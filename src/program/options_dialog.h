#pragma once

#include "program/program_state.h"

// mnuOptions: frmOptions, modal and owned by the main window, filled afresh from the
// program's state. On OK the hotkeys are registered again, the layouts reloaded and
// the settings saved, and the main window and the tray tip name the new layouts; a
// missing layouts.txt posts the main window's Exit once the dialog has closed.
void ShowOptions(ProgramState& state);
