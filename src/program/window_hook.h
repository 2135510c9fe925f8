#pragma once

#include <windows.h>

#include "program/program_state.h"

// Puts HotkeyWindowProc in front of the window's procedure, keeping the one it
// replaces in state.PreviousWindowProc. The window must be linked to the state.
void HookWindow(ProgramState& state, HWND hWnd);

// Gives the window its previous procedure back; nothing when it was never hooked.
void UnhookWindow(ProgramState& state, HWND hWnd);

// Starts the action of a hotkey message for the main window, then passes every
// message, that one included, to the previous procedure exactly once and returns its
// result.
LRESULT CALLBACK HotkeyWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
