#pragma once

#include "program/hotkey_dispatch.h"
#include "program/program_state.h"

// The one place where the program hands work to the convert-selection cycle. A request
// that arrives while a cycle runs (every wait of a cycle serves messages) is dropped, so
// the first cycle keeps the user's saved clipboard. A request that could not act (a
// console without a selection, a window of an elevated program) is told in a balloon
// over the tray icon, at most once per kNoticeInterval.
void RunConversion(ProgramState& state, const ConversionRequest& request);

// Gives the keyboard back to the window that was in the foreground when the main window
// came up, and waits a bounded time until that window has it.
void GiveKeyboardBack(ProgramState& state);
