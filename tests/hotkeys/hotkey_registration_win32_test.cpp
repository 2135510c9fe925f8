// Registration against the system's global hotkeys, for a hidden window of the test.
// A second process of our own (hotkey_holder.exe) plays the other application that
// already holds a combination.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "base/file_access.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/hotkey_text.h"
#include "recording_doubles.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ScopedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using ScopedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

ScopedWindow CreateHiddenWindow() {
    return ScopedWindow(CreateWindowExW(0, L"STATIC", L"hotkey test", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, nullptr, nullptr));
}

// Whether some other window could take the combination right now.
bool CombinationIsFree(int32_t modifiers, int32_t keyCode) {
    const ScopedWindow probe = CreateHiddenWindow();
    if (!RegisterHotKey(probe.get(), 1, static_cast<UINT>(modifiers), static_cast<UINT>(keyCode))) {
        return false;
    }
    UnregisterHotKey(probe.get(), 1);
    return true;
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

// The holder process, ended by its own handle when the object goes.
class HotkeyHolder {
  public:
    bool Start(int32_t modifiers, int32_t keyCode) {
        const std::wstring eventName = L"ZenvoralHotkeyHolderReady" +
                                       std::to_wstring(GetCurrentProcessId()) + L"_" +
                                       std::to_wstring(GetTickCount());
        ready_.reset(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
        if (!ready_) {
            return false;
        }
        const std::wstring program = FolderOf(ExecutablePath()) + L"\\hotkey_holder.exe";
        std::wstring commandLine = L"\"" + program + L"\" " + std::to_wstring(modifiers) + L" " +
                                   std::to_wstring(keyCode) + L" " + eventName + L" " +
                                   std::to_wstring(GetCurrentProcessId());
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, nullptr, &startup, &process)) {
            return false;
        }
        CloseHandle(process.hThread);
        process_.reset(process.hProcess);
        const HANDLE waitFor[] = {ready_.get(), process_.get()};
        constexpr DWORD kStartTimeoutMs = 20000;
        return WaitForMultipleObjects(2, waitFor, FALSE, kStartTimeoutMs) == WAIT_OBJECT_0;
    }

    void End() {
        if (process_) {
            TerminateProcess(process_.get(), 0);
            WaitForSingleObject(process_.get(), 10000);
            process_.reset();
        }
    }

    ~HotkeyHolder() { End(); }

  private:
    ScopedHandle ready_;
    ScopedHandle process_;
};

constexpr int32_t kCtrlShiftWin = kModControl | kModShift | kModWin;
constexpr int32_t kF12 = 123;

class HotkeyRegistrationTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(window); }

    ScopedWindow window = CreateHiddenWindow();
    std::optional<SystemHotkeyRegistrar> registrar{std::in_place, window.get()};
    RecordingMessageSink messages;
    HotkeySlots slots;
};

TEST_F(HotkeyRegistrationTest, TheThreeDefaultsRegisterAndAreReleasedAtTheEnd) {
    slots[0] = {L"F9", kModWin};
    slots[1] = {L"F10", kModWin};
    slots[2] = {L"F11", kModWin};
    const std::wstring stamp = CurrentLocalTimeText();
    RegisterHotkeys(slots, *registrar, messages, stamp);
    EXPECT_EQ(slots[0].KeyCode, 120);
    EXPECT_EQ(slots[1].KeyCode, 121);
    EXPECT_EQ(slots[2].KeyCode, 122);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_NE(slots[0].HotkeyId, slots[1].HotkeyId);
    EXPECT_NE(slots[1].HotkeyId, slots[2].HotkeyId);
    const std::wstring firstAtomName = std::wstring(kHotkeySlotDefinitions[0].atomGuid) + stamp;
    EXPECT_EQ(GlobalFindAtomW(firstAtomName.c_str()), slots[0].HotkeyId);
    EXPECT_FALSE(CombinationIsFree(kModWin, 120));

    UnregisterHotkeys(slots, *registrar);
    EXPECT_TRUE(CombinationIsFree(kModWin, 120));
    EXPECT_TRUE(CombinationIsFree(kModWin, 122));
    EXPECT_EQ(GlobalFindAtomW(firstAtomName.c_str()), 0);
}

TEST_F(HotkeyRegistrationTest, ACombinationHeldByAnotherProcessIsRefusedWithTheMessage) {
    HotkeyHolder holder;
    ASSERT_TRUE(holder.Start(kCtrlShiftWin, kF12));
    slots[0] = {L"F12", kCtrlShiftWin};
    slots[1] = {L"(NONE)", 0};
    slots[2] = {L"(NONE)", 0};
    RegisterHotkeys(slots, *registrar, messages, CurrentLocalTimeText());

    EXPECT_EQ(slots[0].KeyCode, kHotkeyNotRegistered);
    EXPECT_EQ(slots[0].KeyName, L"F12");
    EXPECT_EQ(slots[0].Modifiers, kCtrlShiftWin);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first,
              L"Current hotkey Ctrl + Shift + Win + F12 is used by another application.\r\n"
              L"Please select another one.");
    EXPECT_EQ(messages.messages[0].second, MessageIcon::Exclamation);

    // Once the other application lets go, the same slot gets its combination.
    holder.End();
    EXPECT_EQ(RegisterOneHotkey(*registrar, messages, slots[0].Modifiers, slots[0].KeyName,
                                slots[0].HotkeyId),
              kF12);
}

TEST_F(HotkeyRegistrationTest, ReRegisteringTheCombinationASlotHoldsSucceeds) {
    const int32_t id = registrar->AddAtom(L"{ZenvoralTest}" + CurrentLocalTimeText());
    EXPECT_EQ(RegisterOneHotkey(*registrar, messages, kCtrlShiftWin, L"PGDN", id), 34);
    EXPECT_EQ(RegisterOneHotkey(*registrar, messages, kCtrlShiftWin, L"PGDN", id), 34);
    EXPECT_TRUE(messages.messages.empty());
    registrar->DeleteAtom(id);
}

TEST_F(HotkeyRegistrationTest, NoneRegistersNothingShowsNothingAndFreesTheSlotsCombination) {
    const int32_t id = registrar->AddAtom(L"{ZenvoralTest}" + CurrentLocalTimeText());
    ASSERT_EQ(RegisterOneHotkey(*registrar, messages, kCtrlShiftWin, L"PGUP", id), 33);
    EXPECT_EQ(RegisterOneHotkey(*registrar, messages, kCtrlShiftWin, kNoHotkeyName, id),
              kHotkeyNotRegistered);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(CombinationIsFree(kCtrlShiftWin, 33));
    registrar->DeleteAtom(id);
}

TEST_F(HotkeyRegistrationTest, TheLaterOfTwoSlotsWithTheSameCombinationIsRefused) {
    slots[0] = {L"UP", kCtrlShiftWin};
    slots[1] = {L"UP", kCtrlShiftWin};
    slots[2] = {L"(NONE)", 0};
    RegisterHotkeys(slots, *registrar, messages, CurrentLocalTimeText());
    EXPECT_EQ(slots[0].KeyCode, 38);
    EXPECT_EQ(slots[1].KeyCode, kHotkeyNotRegistered);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first,
              L"Current hotkey Ctrl + Shift + Win + UP is used by another application.\r\n"
              L"Please select another one.");
}

TEST_F(HotkeyRegistrationTest, EndingTheRegistrarReleasesWhatIsStillRegistered) {
    slots[0] = {L"DOWN", kCtrlShiftWin};
    slots[1] = {L"(NONE)", 0};
    slots[2] = {L"(NONE)", 0};
    const std::wstring stamp = CurrentLocalTimeText();
    RegisterHotkeys(slots, *registrar, messages, stamp);
    ASSERT_EQ(slots[0].KeyCode, 40);
    registrar.reset();  // no UnregisterHotkeys: an early exit
    EXPECT_TRUE(CombinationIsFree(kCtrlShiftWin, 40));
    const std::wstring atomName = std::wstring(kHotkeySlotDefinitions[0].atomGuid) + stamp;
    EXPECT_EQ(GlobalFindAtomW(atomName.c_str()), 0);
}

}  // namespace
