#pragma once

// The Windows implementations of the capture interfaces. Only the Windows build
// compiles them; the portable cycle never sees this header.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "capture/api_clipboard.h"
#include "capture/clipboard_functions.h"
#include "capture/clipboard_snapshot.h"
#include "capture/convert_cycle.h"
#include "capture/cycle_clipboard.h"
#include "capture/cycle_clock.h"
#include "capture/key_injector.h"
#include "capture/modifier_probe.h"

class Win32KeyInjector final : public KeyInjector {
  public:
    int SendKeyEvent(uint8_t vk, uint32_t flags) override;
};

// Waits on the message queue with the remaining time, so a wait costs no processor
// time, and measures time with the performance counter, which never jumps at midnight
// or when the user changes the clock.
class MessageServingClock final : public CycleClock {
  public:
    MessageServingClock();
    void Wait(float seconds) override;
    bool WaitUntil(float seconds, const std::function<bool()>& happened) override;

  private:
    double Now() const;
    double frequency_ = 1.0;
};

class Win32ModifierProbe final : public ModifierProbe {
  public:
    bool AnyModifierDown() override;
};

// Holds the clipboard open for one scope. Another program (a clipboard manager, a
// remote-desktop helper) may hold it for a moment, so opening is retried for a short,
// bounded time; meanwhile only messages sent to this thread are served, in case the
// holder is waiting for us to render a format.
class ScopedClipboard {
  public:
    explicit ScopedClipboard(HWND owner);
    ~ScopedClipboard();
    ScopedClipboard(const ScopedClipboard&) = delete;
    ScopedClipboard& operator=(const ScopedClipboard&) = delete;

    bool IsOpen() const { return open_; }

  private:
    bool open_ = false;
};

class Win32ClipboardFunctions final : public ClipboardFunctions {
  public:
    bool OpenClipboard(uintptr_t owner) override;
    void CloseClipboard() override;
    void EmptyClipboard() override;
    bool SetClipboardBytes(uint32_t format, const std::vector<uint8_t>& bytes) override;
    uint32_t RegisterFormat(const std::wstring& name) override;
};

// Everything on the clipboard that can be duplicated, within `byteLimit`.
ClipboardSnapshot SaveClipboard(HWND owner, size_t byteLimit = kSnapshotByteLimit);

// Empties the clipboard and puts the snapshot back in its order, marked to stay out of
// the clipboard history. True when every item was accepted.
bool RestoreClipboard(HWND owner, const ClipboardSnapshot& snapshot);

// The clipboard as the cycle uses it, with a hidden message-only window of its own as
// the clipboard owner. With delayed rendering the converted text is only promised
// when placed and handed over when a program asks for it: that request is how the
// cycle knows the target's paste has fetched the text.
class Win32CycleClipboard final : public CycleClipboard {
  public:
    explicit Win32CycleClipboard(bool delayedRendering = true);
    ~Win32CycleClipboard() override;
    Win32CycleClipboard(const Win32CycleClipboard&) = delete;
    Win32CycleClipboard& operator=(const Win32CycleClipboard&) = delete;

    HWND Window() const { return window_; }

    ClipboardSnapshot Save() override;
    bool Restore(const ClipboardSnapshot& snapshot) override;
    bool Clear() override;
    bool IsEmpty() override;
    bool HasText() override;
    std::optional<std::wstring> ReadText() override;
    uint32_t SequenceNumber() override;
    bool PutText(const std::wstring& text) override;
    void ExpectPaste() override;
    bool PasteWasFetched() override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void RenderPromisedText();
    void RenderBeforeLeaving();

    HWND window_ = nullptr;
    bool delayedRendering_;
    Win32ClipboardFunctions functions_;
    cAPIClipboard apiClipboard_{functions_};
    std::wstring promisedText_;
    bool promising_ = false;  // our delayed text is what the clipboard offers
    bool watchingPaste_ = false;
    bool pasteFetched_ = false;
};

// The cycle's system services, made once by the user interface and living as long as
// the program; settings and layouts come from their own subsystems.
struct Win32CaptureServices {
    Win32KeyInjector Keys;
    MessageServingClock Clock;
    Win32CycleClipboard Clipboard;
    Win32ModifierProbe Modifiers;

    CycleServices For(CycleSettings& settings, const LayoutTable& layouts) {
        return {Keys, Clock, Clipboard, Modifiers, settings, layouts};
    }
};
