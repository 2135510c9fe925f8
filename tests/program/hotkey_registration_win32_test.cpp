// Registration against the system's global hotkeys, for a hidden window of the test,
// while the test itself holds one combination as another application would.

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "program/win32_hotkeys.h"

namespace {

struct RecordingMessages final : MessageSink {
    void ShowMessage(const std::wstring& text, MessageIcon icon) override {
        shown.emplace_back(text, icon);
    }
    std::vector<std::pair<std::wstring, MessageIcon>> shown;
};

// Whether another program could take the combination right now.
bool IsFree(int32_t modifiers, int32_t keyCode) {
    if (!RegisterHotKey(nullptr, 1, static_cast<UINT>(modifiers), static_cast<UINT>(keyCode))) {
        return false;
    }
    UnregisterHotKey(nullptr, 1);
    return true;
}

constexpr int32_t kCtrlShiftWin = kModControl | kModShift | kModWin;

TEST(Win32GlobalHotkeysTest, ACombinationHeldElsewhereIsRefusedAndNoneRegistersNothing) {
    const ScopedWindow window(CreateWindowExW(0, L"STATIC", L"hotkey test", 0, 0, 0, 0, 0,
                                              HWND_MESSAGE, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window && RegisterHotKey(nullptr, 2, kCtrlShiftWin, VK_F12));
    const ScopedHotkey heldElsewhere(NumberHandle<int>(2), HotkeyUnregisterer{nullptr});
    Win32GlobalHotkeys hotkeys(window.get());
    RecordingMessages messages;
    // "(NONE)" would be registered as "(", the code of the down arrow.
    HotkeySlots slots = {
        {{L"F12", kCtrlShiftWin}, {kNoHotkeyName, kCtrlShiftWin}, {L"F11", kCtrlShiftWin}}};
    RegisterHotkeys(slots, hotkeys, messages);

    EXPECT_EQ(slots[0].KeyCode, kHotkeyNotRegistered);
    EXPECT_EQ(slots[0].KeyName, L"F12");
    EXPECT_EQ(slots[0].Modifiers, kCtrlShiftWin);
    EXPECT_EQ(messages.shown,
              (std::vector{std::pair{
                  std::wstring(L"Current hotkey Ctrl + Shift + Win + F12 is used by another "
                               L"application.\r\nPlease select another one."),
                  MessageIcon::Exclamation}}));
    EXPECT_EQ(slots[1].KeyCode, kHotkeyNotRegistered);
    EXPECT_TRUE(IsFree(kCtrlShiftWin, VK_DOWN));
    EXPECT_EQ(slots[2].KeyCode, VK_F11);
    EXPECT_FALSE(IsFree(kCtrlShiftWin, VK_F11));
}

}  // namespace
