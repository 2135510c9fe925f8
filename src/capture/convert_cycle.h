#pragma once

#include <cstdint>

#include "capture/clipboard_snapshot.h"
#include "capture/cycle_clipboard.h"
#include "capture/cycle_clock.h"
#include "capture/key_injector.h"
#include "capture/modifier_probe.h"
#include "engine/layout_table.h"

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

// Everything the cycle acts through; the Windows build passes the system services,
// tests pass recording fakes.
struct CycleServices {
    KeyInjector& Keys;
    CycleClock& Clock;
    CycleClipboard& Clipboard;
    ModifierProbe& Modifiers;
    CycleSettings& Settings;
    const LayoutTable& Layouts;
};

// The cycle's state, owned by the caller and living as long as the program.
struct CycleState {
    ClipboardSnapshot SavedClipboard;  // from the save in CopySelectedText to the restore
    float Delay = 0.0f;                // reread at the start of every copy
    bool AutoDirection = false;        // set by the caller around a "Toggle layouts" cycle
    bool Running = false;              // a cycle is between its first and last step
};

// The restore after a paste waits this long at most, twice, whatever the Delay.
inline constexpr float kRestoreWait = 0.1f;

// A held modifier key gets this long to be released before the first injected key.
inline constexpr float kModifierReleaseLimit = 1.0f;

// Saves the user's clipboard, empties it and makes the foreground application copy
// its selection; when that brings no text, selects the text before the caret (see
// SelectBeforeCaret) and copies again.
void CopySelectedText(const CycleServices& services, CycleState& state, int32_t mode);

// Converts the copied text by mode, pastes it over the selection, advances the usage
// counter and puts the user's clipboard back, also when nothing was copied.
void ConvertAndPaste(const CycleServices& services, CycleState& state, int32_t mode);

// Marks a cycle as running for its lifetime. Every wait of a cycle serves window
// messages, so a hotkey or button can arrive in the middle of one; a second cycle
// started there would save the first one's temporary clipboard as "the user's" and
// lose the real one. Such a request is ignored: Started() is false.
class CycleRun {
  public:
    explicit CycleRun(CycleState& state);
    ~CycleRun();
    CycleRun(const CycleRun&) = delete;
    CycleRun& operator=(const CycleRun&) = delete;

    bool Started() const { return started_; }

  private:
    CycleState& state_;
    bool started_;
};

// A caller's whole request: copy with `copyMode`, convert with `convertMode` (with
// AutoDirection set when `autoDirection`), then, when `switchLayoutAfter`, switch the
// input language and release the modifiers. False when it was ignored because
// another cycle is running.
bool RunConvertSelection(const CycleServices& services, CycleState& state, int32_t copyMode,
                         int32_t convertMode, bool autoDirection, bool switchLayoutAfter);
