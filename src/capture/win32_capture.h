#pragma once

// The Windows implementations of the capture interfaces. Only the Windows build
// compiles them; the portable cycle never sees this header.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "base/scoped_win.h"
#include "capture/clipboard.h"
#include "capture/convert_cycle.h"
#include "capture/cycle_clock.h"
#include "capture/foreground_window.h"
#include "capture/keystrokes.h"

// Registered formats that keep a clipboard content out of the Windows clipboard
// history and cloud clipboard; the program's temporary texts never belong there.
inline constexpr const wchar_t* kHistoryExclusionFormats[] = {
    L"ExcludeClipboardContentFromMonitorProcessing", L"CanIncludeInClipboardHistory",
    L"CanUploadToCloudClipboard"};

// Each event carries the key's scan code, and the extended-key flag where a keyboard
// sends it (IsExtendedKey).
class Win32KeyInjector final : public KeyInjector {
  public:
    void SendKeyEvent(uint8_t vk, KeyMotion motion) override;
};

class Win32ModifierProbe final : public ModifierProbe {
  public:
    bool AnyModifierDown() override;
};

// Waits on the message queue with the remaining time, so a wait costs no processor
// time, and measures time with the performance counter, which never jumps at midnight
// or when the user changes the clock.
class MessageServingClock final : public CycleClock {
  public:
    MessageServingClock();
    double Now() override;
    void Wait(float seconds) override;
    bool WaitUntil(float seconds, const std::function<bool()>& happened) override;

  private:
    double frequency_ = 1.0;
};

// The foreground window through the window manager, the process's token and, for a
// console, the console itself.
class Win32ForegroundWindow final : public ForegroundWindow {
  public:
    TargetWindow Describe() override;
    bool ConsoleHasSelection(const TargetWindow& window) override;
};

// The clipboard as the cycle uses it, with a hidden message-only window of its own as
// the clipboard owner. The converted text is only promised when placed (delayed
// rendering) and handed over when a program asks for it: that request is how the cycle
// knows the target's paste has fetched the text. A snapshot keeps at most `byteLimit`
// bytes (beyond it, only the text formats).
class Win32CycleClipboard final : public CycleClipboard {
  public:
    explicit Win32CycleClipboard(size_t byteLimit = kSnapshotByteLimit);
    ~Win32CycleClipboard() override;
    Win32CycleClipboard(const Win32CycleClipboard&) = delete;
    Win32CycleClipboard& operator=(const Win32CycleClipboard&) = delete;

    ClipboardSnapshot Save() override;
    bool Restore(const ClipboardSnapshot& snapshot) override;
    bool Clear() override;
    bool IsEmpty() override;
    bool HasText() override;
    std::optional<std::wstring> ReadText() override;
    std::optional<std::string> ReadNamedFormat(const std::wstring& name) override;
    uint32_t SequenceNumber() override;
    bool PutText(const std::wstring& text) override;
    void ExpectPaste() override;
    bool PasteWasFetched() override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void RenderPromisedText();
    void RenderBeforeLeaving();

    size_t byteLimit_;
    ScopedWindow window_;
    std::wstring promisedText_;
    bool promising_ = false;  // our delayed text is what the clipboard offers
    bool watchingPaste_ = false;
    bool pasteFetched_ = false;
};

// The cycle's system services, made once by the program and living as long as it;
// settings and the conversion come from the program.
struct Win32CaptureServices {
    Win32KeyInjector Keys;
    MessageServingClock Clock;
    Win32CycleClipboard Clipboard;
    Win32ModifierProbe Modifiers;
    Win32ForegroundWindow Window;

    CycleServices For(CycleSettings& settings, ConvertText convert) {
        return {Keys, Clock, Clipboard, Modifiers, Window, settings, std::move(convert)};
    }
};
