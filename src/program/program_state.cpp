#include "program/program_state.h"

#include "program/resources/resource_ids.h"

void LoadProgramSettings(ProgramState& state) {
    state.settingsFile.emplace(BuildIniFilePath(state.executablePath));
    LoadSettings(*state.settingsFile, state.settings);
}

void SaveProgramSettings(ProgramState& state) {
    if (state.settingsFile) {
        SaveSettings(*state.settingsFile, state.settings, state.runValue, state.executablePath);
    }
}

void PostExitCommand(ProgramState& state, int exitCode) {
    state.exitCode = exitCode;
    PostMessageW(state.mainWindow, WM_COMMAND, IDM_EXIT, 0);
}
