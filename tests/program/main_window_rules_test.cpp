#include "program/main_window_rules.h"
#include "program/window_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(PinToggleTest, StoredValuesOutsideZeroToTwoLeaveTheToggleOff) {
    EXPECT_EQ(AcceptedPinState(0), 0);
    EXPECT_EQ(AcceptedPinState(1), 1);
    EXPECT_EQ(AcceptedPinState(2), 2);
    EXPECT_EQ(AcceptedPinState(3), 0);
    EXPECT_EQ(AcceptedPinState(-1), 0);
}

TEST(PinToggleTest, StateTwoShowsOnImageButDoesNotBringTheWindowBack) {
    EXPECT_FALSE(PinShowsOnImage(0));
    EXPECT_TRUE(PinShowsOnImage(1));
    EXPECT_TRUE(PinShowsOnImage(2));
    EXPECT_FALSE(PinBringsWindowBack(0));
    EXPECT_TRUE(PinBringsWindowBack(1));
    EXPECT_FALSE(PinBringsWindowBack(2));
}

TEST(PinToggleTest, ClickTurnsOffWhateverIsOn) {
    EXPECT_EQ(PinStateAfterClick(0), 1);
    EXPECT_EQ(PinStateAfterClick(1), 0);
    EXPECT_EQ(PinStateAfterClick(2), 0);
}

TEST(TrayReactionTest, PressesOpenTheMenuDoubleClickShowsReleasesDoNothing) {
    EXPECT_EQ(ReactToTrayMouseMessage(0x0201), TrayReaction::OpenMenu);    // left press
    EXPECT_EQ(ReactToTrayMouseMessage(0x0204), TrayReaction::OpenMenu);    // right press
    EXPECT_EQ(ReactToTrayMouseMessage(0x0203), TrayReaction::ShowWindow);  // left double
    EXPECT_EQ(ReactToTrayMouseMessage(0x0202), TrayReaction::Nothing);     // left release
    EXPECT_EQ(ReactToTrayMouseMessage(0x0205), TrayReaction::Nothing);     // right release
    EXPECT_EQ(ReactToTrayMouseMessage(0x0206), TrayReaction::Nothing);     // right double
    EXPECT_EQ(ReactToTrayMouseMessage(0x0200), TrayReaction::Nothing);     // move
}

TEST(PlatformKindTest, FromTheVersionQuery) {
    EXPECT_EQ(PlatformKindFromVersionQuery(false, 2, 0), -1);
    EXPECT_EQ(PlatformKindFromVersionQuery(true, 0, 0), 1);
    EXPECT_EQ(PlatformKindFromVersionQuery(true, 1, 0), 1);
    EXPECT_EQ(PlatformKindFromVersionQuery(true, 2, 0), 2);
    EXPECT_EQ(PlatformKindFromVersionQuery(true, 3, 2), 2);   // unknown: kept
    EXPECT_EQ(PlatformKindFromVersionQuery(true, -1, 1), 1);  // negative: kept
}

TEST(WindowGeometryTest, FifteenTwipsToAPixelAtNinetySixDotsPerInch) {
    EXPECT_EQ(TwipsToPixels(2910, 96), 194);
    EXPECT_EQ(TwipsToPixels(1845, 96), 123);
    EXPECT_EQ(TwipsToPixels(120, 96), 8);
    EXPECT_EQ(TwipsToPixels(2910, 192), 388);
    EXPECT_EQ(TwipsToPixels(2910, 144), 291);
    EXPECT_DOUBLE_EQ(PixelsToTwips(8, 96), 120.0);
    EXPECT_DOUBLE_EQ(PixelsToTwips(8, 192), 60.0);
}

TEST(WindowGeometryTest, DefaultPositionKeepsItsMarginsFromTheBottomRight) {
    const TwipsPoint place = DefaultMainWindowPosition(19200, 15360, 3000, 2220);
    EXPECT_FLOAT_EQ(place.Left, 19200 - 3000 - 120);
    EXPECT_FLOAT_EQ(place.Top, 15360 - 2220 - 540);
}

TEST(WindowGeometryTest, ControlsLieInsideTheFrameAndTheClientArea) {
    const auto inside = [](const TwipsRect& inner, const TwipsRect& outer) {
        return inner.Left >= outer.Left && inner.Top >= outer.Top &&
               inner.Left + inner.Width <= outer.Left + outer.Width &&
               inner.Top + inner.Height <= outer.Top + outer.Height;
    };
    const TwipsRect client{0, 0, kMainClientWidthTwips, kMainClientHeightTwips};
    EXPECT_TRUE(inside(kFramePlace, client));
    for (const TwipsRect& button : kConversionButtonPlaces) {
        EXPECT_TRUE(inside(button, kFramePlace));
    }
    EXPECT_TRUE(inside(kPinPlace, kFramePlace));
}

}  // namespace
