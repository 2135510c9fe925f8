#pragma once

#include <windows.h>

#include <cstdint>

#include "program/program_state.h"

// The main window frmMain as the user sees it: its controls, their places, captions and
// tool tips, the pin toggle, and showing and hiding it. Nothing here acts on a click:
// the window's procedure (main_window.h) does.

inline constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kMainWindowExStyle = WS_EX_DLGMODALFRAME;

// The controls of a new main window, sized with it for its DPI, and the tray icon's image.
void CreateMainWindowControls(ProgramState& state);

// The window moved to a monitor of another DPI: its images, font and places follow.
void ApplyDotsPerInch(ProgramState& state, int dotsPerInch);

// Shows the main window, activated and in the topmost band, where it stays.
void ShowMainWindow(ProgramState& state);
void HideMainWindow(ProgramState& state);

// The pin toggle's state: 0 off, 1 on, and 2, which a hand-edited "AlwaysVisible" can
// give (the on image, but the window does not come back after a conversion). Any other
// value leaves the toggle off.
void SetPinState(ProgramState& state, int32_t pinState);

// The two layout buttons name the layouts loaded now; the five tool tips follow.
void ShowLayoutCaptions(ProgramState& state);

// The main window's place in twips, on its monitor's scale.
struct WindowPlaceTwips {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};
WindowPlaceTwips MainWindowPlaceTwips(const ProgramState& state);
void MoveMainWindowTwips(ProgramState& state, int32_t leftTwips, int32_t topTwips);

// The work area holding the main window, right and bottom edges in twips.
POINT WorkAreaBottomRightTwips(const ProgramState& state);
