#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "engine/layout_table.h"

inline const std::wstring kProgramTitle = L"Zenvoral";

// Everything the running program holds. wWinMain owns the one instance; the main
// window reaches it through its GWLP_USERDATA.
struct ProgramState {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;  // null once the window is destroyed
    LayoutTable layouts;
    std::array<std::wstring, 2> layoutButtonCaptions;  // shown once the buttons exist
    int exitCode = 0;  // what the process returns when the main window goes
};
