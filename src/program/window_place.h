#pragma once

#include <cstdint>

// A rectangle on the desktop in pixels; Right and Bottom lie just outside it.
struct ScreenRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

// The window's rectangle moved the shortest way into the work area, so the whole window
// shows; one wider or taller than the area starts at its left or top edge, keeping the
// caption in reach.
ScreenRect MoveInsideWorkArea(const ScreenRect& window, const ScreenRect& workArea);
