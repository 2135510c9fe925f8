#include "program/hotkey_dispatch.h"
#include "program/notice_gate.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Message(uint32_t modifiers, uint32_t key) {
    return (key << 16) | modifiers;
}

const HotkeyAction kNothing{};
const HotkeyAction kShow{std::nullopt, true};
HotkeyAction Convert(ConversionRequest request) {
    return {request};
}

const HotkeySlots kDefaults = {{{L"F9", 8, 120, 1}, {L"F10", 8, 121, 2}, {L"F11", 8, 122, 3}}};

HotkeySlots With(size_t index, HotkeySlot slot) {
    HotkeySlots slots = kDefaults;
    slots[index] = slot;
    return slots;
}

TEST(HotkeyDispatchTest, TheFirstActiveSlotWithTheMessagesCombinationActs) {
    const struct {
        const char* what;
        HotkeySlots slots;
        uint32_t lParam;
        bool autoSwitch;
        HotkeyAction expected;
    } cases[] = {
        {"toggle layouts, text picks the direction", kDefaults, Message(8, 120), false,
         Convert({1, 0, true, false, true})},
        {"toggle layouts, then Alt+Shift", kDefaults, Message(8, 120), true,
         Convert({1, 0, true, true, true})},
        {"toggle case never switches", kDefaults, Message(8, 121), true,
         Convert({3, 8, false, false, true})},
        {"show the window", kDefaults, Message(8, 122), true, kShow},
        {"other modifiers", kDefaults, Message(4, 120), true, kNothing},
        {"other key", kDefaults, Message(8, 123), true, kNothing},
        {"MOD_NOREPEAT and bits above the key byte are dropped", kDefaults, 0xFF784008u, false,
         Convert({1, 0, true, false, true})},
        {"a key code below 16", With(1, {L"BACK", 8, 8, 2}), Message(8, 8), false,
         Convert({3, 8, false, false, true})},
        {"no modifiers", With(2, {L"A", 0, 65, 3}), Message(0, 65), false, kShow},
        {"an inactive slot never matches", With(0, {L"F9", 8, -1, 1}), Message(8, 120), false,
         kNothing},
        {"not even the inactive marker's bits", With(0, {L"(NONE)", 15, -1, 1}), 0xFFFF000Fu, false,
         kNothing},
        {"the first of two equal slots", With(2, {L"F10", 8, 121, 3}), Message(8, 121), false,
         Convert({3, 8, false, false, true})},
    };
    for (const auto& given : cases) {
        EXPECT_EQ(HotkeyActionFor(given.slots, given.lParam, given.autoSwitch), given.expected)
            << given.what;
    }
}

TEST(NoticeGateTest, ANoticeIsLetThroughAtMostOncePerInterval) {
    NoticeGate gate;
    const std::pair<double, bool> presses[] = {{100, true}, {100, false}, {109.9, false},
                                               {110, true}, {115, false}, {130, true}};
    for (const auto& [time, allowed] : presses) {
        EXPECT_EQ(gate.Allow(time), allowed) << time;
    }
}

}  // namespace
