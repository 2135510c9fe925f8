#include "program/window_geometry.h"

#include <cmath>

int TwipsToPixels(double twips, int dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

double PixelsToTwips(double pixels, int dotsPerInch) {
    return pixels * kTwipsPerInch / dotsPerInch;
}

TwipsPoint DefaultMainWindowPosition(double areaRightTwips, double areaBottomTwips,
                                     double windowWidthTwips, double windowHeightTwips) {
    return {static_cast<float>(areaRightTwips - windowWidthTwips - kDefaultRightMarginTwips),
            static_cast<float>(areaBottomTwips - windowHeightTwips - kDefaultBottomMarginTwips)};
}
