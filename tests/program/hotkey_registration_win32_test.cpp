// Registration against the system's global hotkeys, for a hidden window of the test. A
// second process (hotkey_holder.exe) plays the other application that already holds a
// combination.

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "base/file_access.h"
#include "program/win32_hotkeys.h"

namespace {

struct RecordingMessages final : MessageSink {
    void ShowMessage(const std::wstring& text, MessageIcon icon) override {
        shown.emplace_back(text, icon);
    }
    std::vector<std::pair<std::wstring, MessageIcon>> shown;
};

ScopedWindow HiddenWindow() {
    return ScopedWindow(CreateWindowExW(0, L"STATIC", L"hotkey test", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, nullptr, nullptr));
}

// Whether another program could take the combination right now.
bool IsFree(int32_t modifiers, int32_t keyCode) {
    if (!RegisterHotKey(nullptr, 1, static_cast<UINT>(modifiers), static_cast<UINT>(keyCode))) {
        return false;
    }
    UnregisterHotKey(nullptr, 1);
    return true;
}

// Starts the holder and waits, bounded, until the combination is taken; the holder
// ends with this process.
ScopedHandle HoldElsewhere(int32_t modifiers, int32_t keyCode) {
    const std::wstring path = ExecutablePath();
    const std::wstring program = path.substr(0, path.rfind(L'\\')) + L"\\program_hotkey_holder.exe";
    std::wstring commandLine = L"\"" + program + L"\" " + std::to_wstring(modifiers) + L" " +
                               std::to_wstring(keyCode) + L" " +
                               std::to_wstring(GetCurrentProcessId());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return {};
    }
    CloseHandle(process.hThread);
    ScopedHandle holder(process.hProcess);
    for (int waited = 0; IsFree(modifiers, keyCode) && waited < 20000; waited += 20) {
        Sleep(20);
    }
    return holder;
}

constexpr int32_t kCtrlShiftWin = kModControl | kModShift | kModWin;

TEST(Win32GlobalHotkeysTest, ACombinationHeldElsewhereIsRefusedAndNoneRegistersNothing) {
    const ScopedWindow window = HiddenWindow();
    ASSERT_TRUE(window);
    const ScopedHandle holder = HoldElsewhere(kCtrlShiftWin, VK_F12);
    ASSERT_TRUE(holder);
    ASSERT_FALSE(IsFree(kCtrlShiftWin, VK_F12));
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
