#pragma once

#include "program/program_state.h"

// mnuOptions: frmOptions, modal, owned by the main window. On OK the names of the new
// layouts reach the buttons, their tool tips and the tray tip.
void ShowOptions(ProgramState& state);
