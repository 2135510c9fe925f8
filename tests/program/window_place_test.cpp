#include "program/window_place.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

// A 200 x 100 window whose stored place has gone off every monitor comes back whole.
TEST(WindowPlace, MovesTheShortestWayIntoTheWorkArea) {
    const ScreenRect area{0, 0, 1920, 1040};
    const ScreenRect leftMonitor{-1280, -200, 0, 824};
    const std::tuple<const char*, ScreenRect, ScreenRect, ScreenRect> cases[] = {
        {"far up left", {-32767, -32767, -32567, -32667}, area, {0, 0, 200, 100}},
        {"far down right", {32567, 32667, 32767, 32767}, area, {1720, 940, 1920, 1040}},
        {"beyond one edge only", {500, 1100, 700, 1200}, area, {500, 940, 700, 1040}},
        {"inside stays", {10, 20, 210, 120}, area, {10, 20, 210, 120}},
        {"a monitor left of the main one",
         {-32767, 0, -32567, 100},
         leftMonitor,
         {-1280, 0, -1080, 100}},
        {"too big: top left corner shows",
         {-5000, 5000, -1000, 6000},
         {0, 0, 800, 600},
         {0, 0, 4000, 1000}}};
    const auto edges = [](const ScreenRect& r) {
        return std::array{r.Left, r.Top, r.Right, r.Bottom};
    };
    for (const auto& [what, window, workArea, expected] : cases) {
        EXPECT_EQ(edges(MoveInsideWorkArea(window, workArea)), edges(expected)) << what;
    }
}

}  // namespace
