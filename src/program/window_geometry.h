#pragma once

#include <windows.h>

// Places and sizes are designed in twips, 1/1440 inch: 15 twips to a pixel at 96 dots
// per inch, fewer on a denser monitor.
int TwipsToPixels(double twips, int dotsPerInch);
double PixelsToTwips(double pixels, int dotsPerInch);

// The window's dots per inch: its monitor's where the system tells it, else the screen's.
int WindowDotsPerInch(HWND window);

// Moves the window to the middle of the screen, its size unchanged.
void CentreOnScreen(HWND window);

// A window off every monitor, as after unplugging the monitor it was last on, moves into
// the work area of the nearest one; a window on a monitor, even in part, stays.
void BringOntoNearestMonitor(HWND window);
