// Without system hotkeys the registrar still gives three distinct ids and refuses a
// combination another slot already holds.

#include <gtest/gtest.h>

#include "hotkeys/hotkey_slots.h"
#include "recording_doubles.h"

namespace {

TEST(SystemHotkeyRegistrarWithoutSystemHotkeys, TheLaterOfTwoEqualSlotsIsRefused) {
    SystemHotkeyRegistrar registrar(nullptr);
    RecordingMessageSink messages;
    HotkeySlots slots;
    slots[0] = {L"F9", 8};
    slots[1] = {L"F9", 8};
    slots[2] = {L"(NONE)", 0};
    RegisterHotkeys(slots, registrar, messages, L"stamp");
    EXPECT_NE(slots[0].HotkeyId, slots[1].HotkeyId);
    EXPECT_NE(slots[1].HotkeyId, slots[2].HotkeyId);
    EXPECT_EQ(slots[0].KeyCode, 120);
    EXPECT_EQ(slots[1].KeyCode, kHotkeyNotRegistered);
    EXPECT_EQ(messages.messages.size(), 1u);
    UnregisterHotkeys(slots, registrar);
    EXPECT_EQ(RegisterOneHotkey(registrar, messages, 8, L"F9", slots[1].HotkeyId), 120);
}

}  // namespace
