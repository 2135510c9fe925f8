#pragma once

#include "program/program_state.h"

// frmAbout, modeless and owned by the main window; brought forward when already open.
void ShowAboutWindow(ProgramState& state);
