#include "program/program_state.h"

#include "program/resources/resource_ids.h"

void LoadProgramSettings(ProgramState& state) {
    LoadSettings(state.Settings(), state.settings, state.layouts.Table);
}

void SaveProgramSettings(ProgramState& state) {
    SaveSettings(state.Settings(), state.settings, state.layouts.Table, state.registry,
                 state.executablePath);
}

void PostExitCommand(ProgramState& state, int exitCode) {
    state.exitCode = exitCode;
    PostMessageW(state.mainWindow, WM_COMMAND, IDM_EXIT, 0);
}
