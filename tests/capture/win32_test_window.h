#pragma once

#include <windows.h>

// A visible-to-Wine top-level window lives for the whole test program: Wine empties
// the clipboard when the last process with a window quits, and clipboard writes need
// an owner window.
HWND TestWindow();

// Posted to the test window by the clock tests; the window counts what it serves.
inline constexpr UINT kTestMessage = WM_APP + 1;
int& ServedTestMessages();
