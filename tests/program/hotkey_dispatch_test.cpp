#include "program/hotkey_dispatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t HotkeyLParam(uint32_t modifiers, uint32_t key) {
    return (key << 16) | modifiers;
}

HotkeySlots DefaultSlots() {
    HotkeySlots slots;
    slots[0] = {L"F9", 8, 120, 1};
    slots[1] = {L"F10", 8, 121, 2};
    slots[2] = {L"F11", 8, 122, 3};
    return slots;
}

class RecordingActions final : public HotkeyActions {
  public:
    void Convert(const ConversionRequest& request) override { conversions.push_back(request); }
    void ShowMainWindow() override { ++shown; }

    std::vector<ConversionRequest> conversions;
    int shown = 0;
};

struct DecodeCase {
    uint32_t lParam;
    int32_t modifiers;
    int32_t key;
};

class DecodeHotkeyMessageTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeHotkeyMessageTest, TakesLowFourBitsAndBitsSixteenToTwentyThree) {
    const HotkeyPress press = DecodeHotkeyMessage(GetParam().lParam);
    EXPECT_EQ(press.Modifiers, GetParam().modifiers);
    EXPECT_EQ(press.KeyCode, GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Messages, DecodeHotkeyMessageTest,
                         testing::Values(DecodeCase{HotkeyLParam(8, 120), 8, 120},  // Win+F9
                                         DecodeCase{HotkeyLParam(8, 8), 8,
                                                    8},  // Win+BACK, a code below 16
                                         DecodeCase{HotkeyLParam(0, 65), 0, 65},  // no modifiers
                                         DecodeCase{HotkeyLParam(6, 65), 6, 65},  // Ctrl+Shift+A
                                         // MOD_NOREPEAT and anything above the four modifier bits
                                         // is dropped, as are bits above the key's byte.
                                         DecodeCase{HotkeyLParam(0x4008, 120), 8, 120},
                                         DecodeCase{0xFF780008u, 8, 0x78}));

TEST(FindHotkeySlotTest, MatchesModifiersAndKeyInSlotOrder) {
    const HotkeySlots slots = DefaultSlots();
    EXPECT_EQ(FindHotkeySlot(slots, {8, 120}), 0u);
    EXPECT_EQ(FindHotkeySlot(slots, {8, 121}), 1u);
    EXPECT_EQ(FindHotkeySlot(slots, {8, 122}), 2u);
    EXPECT_EQ(FindHotkeySlot(slots, {2, 120}), std::nullopt);
    EXPECT_EQ(FindHotkeySlot(slots, {8, 123}), std::nullopt);
}

TEST(FindHotkeySlotTest, FirstOfTwoEqualSlotsWins) {
    HotkeySlots slots = DefaultSlots();
    slots[2].KeyCode = 121;
    EXPECT_EQ(FindHotkeySlot(slots, {8, 121}), 1u);
}

TEST(FindHotkeySlotTest, UnregisteredSlotNeverMatches) {
    HotkeySlots slots = DefaultSlots();
    slots[0].KeyCode = kHotkeyNotRegistered;
    slots[0].Modifiers = 0;
    EXPECT_EQ(FindHotkeySlot(slots, {8, 120}), std::nullopt);
    // Not even a message that decodes to the unregistered marker's bits.
    EXPECT_EQ(FindHotkeySlot(slots, DecodeHotkeyMessage(0xFFFF0000u)), std::nullopt);
}

TEST(FindHotkeySlotTest, SlotWithoutModifiersMatches) {
    HotkeySlots slots = DefaultSlots();
    slots[1] = {L"A", 0, 65, 2};
    EXPECT_EQ(FindHotkeySlot(slots, DecodeHotkeyMessage(HotkeyLParam(0, 65))), 1u);
}

TEST(DispatchHotkeyMessageTest, ToggleLayoutsRunsWithAutoDirectionAndOptionalSwitch) {
    for (const bool autoSwitch : {false, true}) {
        RecordingActions actions;
        EXPECT_EQ(DispatchHotkeyMessage(DefaultSlots(), HotkeyLParam(8, 120), autoSwitch, actions),
                  0u);
        ASSERT_EQ(actions.conversions.size(), 1u);
        EXPECT_EQ(actions.conversions[0], (ConversionRequest{1, 0, true, autoSwitch}));
        EXPECT_EQ(actions.shown, 0);
    }
}

TEST(DispatchHotkeyMessageTest, ToggleCaseNeverSetsAutoDirectionNorSwitches) {
    RecordingActions actions;
    DispatchHotkeyMessage(DefaultSlots(), HotkeyLParam(8, 121), true, actions);
    ASSERT_EQ(actions.conversions.size(), 1u);
    EXPECT_EQ(actions.conversions[0], (ConversionRequest{3, 8, false, false}));
}

TEST(DispatchHotkeyMessageTest, ShowProgramWindowShowsOnly) {
    RecordingActions actions;
    DispatchHotkeyMessage(DefaultSlots(), HotkeyLParam(8, 122), true, actions);
    EXPECT_TRUE(actions.conversions.empty());
    EXPECT_EQ(actions.shown, 1);
}

TEST(DispatchHotkeyMessageTest, UnknownCombinationDoesNothing) {
    RecordingActions actions;
    EXPECT_EQ(DispatchHotkeyMessage(DefaultSlots(), HotkeyLParam(4, 120), true, actions),
              std::nullopt);
    EXPECT_TRUE(actions.conversions.empty());
    EXPECT_EQ(actions.shown, 0);
}

TEST(ConversionButtonRequestTest, ModeIsIndexPlusOneAndOnlyLayoutButtonsSwitch) {
    EXPECT_EQ(ConversionButtonRequest(0, true), (ConversionRequest{1, 1, false, true}));
    EXPECT_EQ(ConversionButtonRequest(1, true), (ConversionRequest{2, 2, false, true}));
    EXPECT_EQ(ConversionButtonRequest(1, false), (ConversionRequest{2, 2, false, false}));
    EXPECT_EQ(ConversionButtonRequest(2, true), (ConversionRequest{3, 3, false, false}));
    EXPECT_EQ(ConversionButtonRequest(3, true), (ConversionRequest{4, 4, false, false}));
    EXPECT_EQ(ConversionButtonRequest(4, true), (ConversionRequest{5, 5, false, false}));
}

}  // namespace
