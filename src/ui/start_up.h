#pragma once

#include "ui/program_state.h"

// The first and second layout a fresh start loads.
inline const std::wstring kDefaultLayout1Name = L"English (101 Keys)";
inline const std::wstring kDefaultLayout2Name = L"Arabic (101 Keys)";

// "Zenvoral 1.60": the title, a blank, the major version, ".", then the minor version
// and the revision with nothing between them.
std::wstring MainWindowCaption();

// Brings the program up once its main window exists. Returns false when the program
// has to end instead (the user has been told why and the main window is gone).
bool StartUp(ProgramState& state);
