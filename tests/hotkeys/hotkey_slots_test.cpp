#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotkeys/hotkey_slots.h"
#include "recording_doubles.h"

namespace {

const std::wstring kStamp = L"2024-12-06 19:12:45";

HotkeySlots DefaultSlots() {
    HotkeySlots slots;
    slots[0].KeyName = L"F9";
    slots[1].KeyName = L"F10";
    slots[2].KeyName = L"F11";
    for (HotkeySlot& slot : slots) {
        slot.Modifiers = 8;
    }
    return slots;
}

class HotkeySlotsTest : public ::testing::Test {
  protected:
    RecordingRegistrar registrar;
    RecordingMessageSink messages;
    HotkeySlots slots = DefaultSlots();
};

TEST_F(HotkeySlotsTest, MakesAllThreeIdsBeforeRegisteringInSlotOrder) {
    RegisterHotkeys(slots, registrar, messages, kStamp);
    const std::vector<std::wstring> expected = {
        L"AddAtom {DC99BD22-B08E-484c-96EB-536A3E0F0D23}" + kStamp,
        L"AddAtom {E7C14BC8-0C03-4301-ADB0-6F09A2A2E271}" + kStamp,
        L"AddAtom {E807FE21-B837-4800-B091-6F71E6C49DF0}" + kStamp,
        L"Unregister 49153",
        L"Register 49153 8 120",
        L"Unregister 49154",
        L"Register 49154 8 121",
        L"Unregister 49155",
        L"Register 49155 8 122",
    };
    EXPECT_EQ(registrar.calls, expected);
    EXPECT_EQ(slots[0].HotkeyId, 49153);
    EXPECT_EQ(slots[0].KeyCode, 120);
    EXPECT_EQ(slots[1].KeyCode, 121);
    EXPECT_EQ(slots[2].KeyCode, 122);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(HotkeySlotsTest, ARefusedSlotShowsItsMessageStaysInactiveAndTheNextIsStillRegistered) {
    registrar.taken.insert({8, 120});
    registrar.taken.insert({8, 121});
    RegisterHotkeys(slots, registrar, messages, kStamp);
    EXPECT_EQ(slots[0].KeyCode, kHotkeyNotRegistered);
    EXPECT_EQ(slots[1].KeyCode, kHotkeyNotRegistered);
    EXPECT_EQ(slots[2].KeyCode, 122);
    EXPECT_EQ(slots[0].KeyName, L"F9");
    EXPECT_EQ(slots[0].Modifiers, 8);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0].first,
              L"Current hotkey Win + F9 is used by another application.\r\n"
              L"Please select another one.");
    EXPECT_EQ(messages.messages[0].second, MessageIcon::Exclamation);
    EXPECT_EQ(messages.messages[1].first,
              L"Current hotkey Win + F10 is used by another application.\r\n"
              L"Please select another one.");
}

TEST_F(HotkeySlotsTest, NoneRegistersNothingAndShowsNothing) {
    const int32_t id = 7;
    EXPECT_EQ(RegisterOneHotkey(registrar, messages, 8, L"(NONE)", id), kHotkeyNotRegistered);
    EXPECT_EQ(registrar.calls, std::vector<std::wstring>{L"Unregister 7"});
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(HotkeySlotsTest, ReRegisteringDropsTheSlotsOwnRegistrationFirst) {
    const int32_t id = 7;
    EXPECT_EQ(RegisterOneHotkey(registrar, messages, 6, L"A", id), 65);
    EXPECT_EQ(RegisterOneHotkey(registrar, messages, 6, L"A", id), 65);
    const std::vector<std::wstring> expected = {L"Unregister 7", L"Register 7 6 65",
                                                L"Unregister 7", L"Register 7 6 65"};
    EXPECT_EQ(registrar.calls, expected);
}

TEST_F(HotkeySlotsTest, UnregisteringReleasesIdsThenAtomsAndKeepsKeyCodes) {
    RegisterHotkeys(slots, registrar, messages, kStamp);
    registrar.calls.clear();
    UnregisterHotkeys(slots, registrar);
    const std::vector<std::wstring> expected = {
        L"Unregister 49153", L"Unregister 49154", L"Unregister 49155",
        L"DeleteAtom 49153", L"DeleteAtom 49154", L"DeleteAtom 49155",
    };
    EXPECT_EQ(registrar.calls, expected);
    EXPECT_EQ(slots[0].KeyCode, 120);
}

TEST(CurrentLocalTimeText, LooksLikeADateAndTime) {
    const std::wstring text = CurrentLocalTimeText();
    ASSERT_EQ(text.size(), 19u);
    EXPECT_EQ(text[4], L'-');
    EXPECT_EQ(text[10], L' ');
    EXPECT_EQ(text[13], L':');
}

}  // namespace
