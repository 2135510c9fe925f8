#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "capture/clipboard.h"
#include "capture/cycle_clock.h"
#include "capture/foreground_window.h"
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
    ForegroundWindow& Window;
    CycleSettings& Settings;
    ConvertText Convert;
};

// One run of the cycle as a caller asks for it: copy with `CopyMode` (it picks the
// fallback selection), convert with `ConvertMode`; see RunConvertSelection.
struct CycleRequest {
    int32_t CopyMode = 0;
    int32_t ConvertMode = 0;
    bool AutoDirection = false;      // the conversion picks its direction from the text
    bool SwitchLayoutAfter = false;  // then Alt+Shift and every modifier released
    bool ContinuesLast = false;      // a hotkey press, which may go on with the last paste

    bool operator==(const CycleRequest&) const = default;
};

// The last paste of a cycle, for a press that follows it.
struct LastConversion {
    uint64_t Window = 0;    // TargetWindow::Identity of the window it went to
    std::wstring Pasted;    // the text the paste put in
    std::wstring Original;  // the text it replaced
    bool Layout = false;    // a layout conversion; otherwise a case conversion
    double Time = 0.0;      // CycleClock::Now() after the paste
};

// A press continues on the last paste within this many seconds of it.
inline constexpr double kContinueLimit = 10.0;

// The cycle's state, owned by the caller and living as long as the program.
struct CycleState {
    ClipboardSnapshot SavedClipboard;  // from the save to the restore
    float Delay = 0.0f;                // reread at the start of every cycle
    bool Running = false;              // a cycle is between its first and last step
    std::optional<LastConversion> Last;
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

// How a request ended, for the program to tell the user where it matters.
enum class CycleOutcome {
    Done,             // the cycle ran; also when there was nothing to convert, or another
                      // program held the clipboard and nothing was touched
    IgnoredAsNested,  // another cycle was running
    SelectTextFirst,  // a console or terminal with nothing selected: nothing was sent
    TargetElevated,   // the foreground window's process outranks ours: nothing was sent
};

// A caller's whole request. Nothing is sent to a window that outranks ours, nor to a
// console without a selection. Otherwise the user's clipboard is saved (when another
// program holds it, the request ends there) and emptied, and the target copies its
// selection (Ctrl+C; in a terminal Ctrl+Insert, and nothing more when that brings
// nothing). A copy of the whole caret line counts as nothing selected. With nothing
// selected, a request that ContinuesLast, in the window of the last paste and within
// kContinueLimit, selects the pasted text back (Shift+Left per caret stop) and copies
// it; when that brings exactly the pasted text, a layout request after a layout
// conversion pastes the original back and any other request converts it; otherwise
// Shift+Right takes the selection back to the caret. Then the text before the caret is selected and
// copied (SelectBeforeCaret). A copied text is converted and pasted over the selection, the usage
// counter advances, and the user's clipboard goes back once the target has let go of it, also when
// nothing was copied; with SwitchLayoutAfter the input language is switched at the end.
CycleOutcome RunConvertSelection(const CycleServices& services, CycleState& state,
                                 const CycleRequest& request);
