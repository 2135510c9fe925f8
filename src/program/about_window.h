#pragma once

#include "program/program_state.h"

// The maker's contact lines. Empty: the about window leaves them out.
inline const std::wstring kAuthorLine = L"By the Zenvoral project";
inline const std::wstring kAuthorEmail;
inline const std::wstring kWebsiteAddress;

// frmAbout, modeless and owned by the main window; brought forward when already open.
void ShowAboutWindow(ProgramState& state);
