#pragma once

#include <array>
#include <cstdint>

// Places and sizes are designed in twips, 1/1440 inch: 15 twips to a pixel at 96 dots
// per inch, fewer on a denser monitor.
inline constexpr int kTwipsPerInch = 1440;

int TwipsToPixels(double twips, int dotsPerInch);
double PixelsToTwips(double pixels, int dotsPerInch);

struct TwipsRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// The main window's client area.
inline constexpr int kMainClientWidthTwips = 2910;
inline constexpr int kMainClientHeightTwips = 1845;

// Frame1, the five conversion buttons Command1(0..4) and the pin toggle Check1, in the
// client area.
inline constexpr TwipsRect kFramePlace = {60, 30, 2805, 1770};
inline constexpr std::array<TwipsRect, 5> kConversionButtonPlaces = {{
    {150, 330, 1275, 405},
    {1485, 330, 1275, 405},
    {150, 780, 1275, 405},
    {1485, 780, 1275, 405},
    {150, 1245, 1275, 405},
}};
inline constexpr TwipsRect kPinPlace = {1485, 1245, 1275, 405};

// The main window sits this far from the right and bottom edges of the work area
// until the user has moved it.
inline constexpr int kDefaultRightMarginTwips = 120;
inline constexpr int kDefaultBottomMarginTwips = 540;

struct TwipsPoint {
    float Left = 0;
    float Top = 0;
};

TwipsPoint DefaultMainWindowPosition(double areaRightTwips, double areaBottomTwips,
                                     double windowWidthTwips, double windowHeightTwips);
