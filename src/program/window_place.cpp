#include "program/window_place.h"

#include <algorithm>

namespace {

// The start of a span of `size` moved into [areaStart, areaEnd), favouring areaStart.
int32_t StartInside(int32_t start, int32_t size, int32_t areaStart, int32_t areaEnd) {
    return std::max(areaStart, std::min(start, areaEnd - size));
}

}  // namespace

ScreenRect MoveInsideWorkArea(const ScreenRect& window, const ScreenRect& workArea) {
    const int32_t width = window.Right - window.Left;
    const int32_t height = window.Bottom - window.Top;
    const int32_t left = StartInside(window.Left, width, workArea.Left, workArea.Right);
    const int32_t top = StartInside(window.Top, height, workArea.Top, workArea.Bottom);
    return {left, top, left + width, top + height};
}
