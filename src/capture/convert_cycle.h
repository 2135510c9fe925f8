#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "capture/clipboard.h"
#include "capture/cycle_clock.h"
#include "capture/keystrokes.h"

// What the cycle needs from the program's settings.
class CycleSettings {
  public:
    virtual ~CycleSettings() = default;

    // Rereads "Delay" (ReadDelaySetting) and gives the value in force afterwards.
    virtual float ReadDelay() = 0;

    // The usage counter; negative means it is not counting.
    virtual int32_t DebugValue() const = 0;

    // Keeps the new counter and writes it to "DebugValue" in the settings file.
    virtual void WriteDebugValue(int32_t value) = 0;
};

// Converts the copied text by mode, ToggleCase included (the caller resolves it from
// the text); with autoDirection a layout conversion picks its direction itself.
using ConvertText =
    std::function<std::wstring(std::wstring_view text, int32_t mode, bool autoDirection)>;

// Everything the cycle acts through; the Windows build passes the system services,
// tests pass recording fakes.
struct CycleServices {
    KeyInjector& Keys;
    CycleClock& Clock;
    CycleClipboard& Clipboard;
    ModifierProbe& Modifiers;
    CycleSettings& Settings;
    ConvertText Convert;
};

// The cycle's state, owned by the caller and living as long as the program.
struct CycleState {
    ClipboardSnapshot SavedClipboard;  // from the save in CopySelectedText to the restore
    float Delay = 0.0f;                // reread at the start of every copy
    bool Running = false;              // a cycle is between its first and last step
};

// After the paste keys, the target gets this long to ask for the text, and the emptied
// clipboard this long to show as empty, whatever the Delay.
inline constexpr float kRestoreWait = 0.1f;

// Putting the user's clipboard back keeps trying this long while another program holds
// the clipboard open, then once more: a target pasting a long text holds it for as long
// as it takes to insert it, over a second for a megabyte.
inline constexpr float kHeldClipboardLimit = 5.0f;

// A held modifier key gets this long to be released before the first injected key.
inline constexpr float kModifierReleaseLimit = 1.0f;

// Saves the user's clipboard, empties it and makes the foreground application copy
// its selection; when that brings no text, selects the text before the caret (see
// SelectBeforeCaret) and copies again. False, with nothing else done, when the
// clipboard could not be saved: whatever a copy brought would replace the user's
// content for good.
bool CopySelectedText(const CycleServices& services, CycleState& state, int32_t mode);

// After a CopySelectedText that saved the clipboard: converts the copied text by mode
// (autoDirection: the "Toggle layouts" request), pastes it over the selection, advances
// the usage counter and puts the user's clipboard back once the target has let go of
// it, also when nothing was copied.
void ConvertAndPaste(const CycleServices& services, CycleState& state, int32_t mode,
                     bool autoDirection);

// Marks a cycle as running for its lifetime. Every wait of a cycle serves window
// messages, so a hotkey or button can arrive in the middle of one; a second cycle
// started there would save the first one's temporary clipboard as "the user's" and
// lose the real one. Such a request is ignored: Started() is false.
class CycleRun {
  public:
    explicit CycleRun(CycleState& state) : state_(state), started_(!state.Running) {
        state_.Running = true;
    }
    ~CycleRun() {
        if (started_) {
            state_.Running = false;
        }
    }
    CycleRun(const CycleRun&) = delete;
    CycleRun& operator=(const CycleRun&) = delete;

    bool Started() const { return started_; }

  private:
    CycleState& state_;
    bool started_;
};

// A caller's whole request: copy with `copyMode`, convert with `convertMode`, then,
// when `switchLayoutAfter`, switch the input language and release the modifiers; it
// stops after the save when the clipboard could not be saved. False when it was
// ignored because another cycle is running.
bool RunConvertSelection(const CycleServices& services, CycleState& state, int32_t copyMode,
                         int32_t convertMode, bool autoDirection, bool switchLayoutAfter);
