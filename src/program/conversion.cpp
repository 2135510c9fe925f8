#include "program/conversion.h"

#include "engine/conversion.h"

namespace {

constexpr float kKeyboardBackLimit = 1.0f;  // seconds
constexpr DWORD kInputIdleLimitMs = 500;

// The cycle's view of the program's settings.
class ProgramCycleSettings final : public CycleSettings {
  public:
    explicit ProgramCycleSettings(ProgramState& state) : state_(state) {}

    float ReadDelay() override {
        // A value that is no number keeps the delay in force.
        if (state_.settingsFile) {
            static_cast<void>(ReadDelaySetting(*state_.settingsFile, state_.settings.Delay));
        }
        return state_.settings.Delay;
    }

    int32_t DebugValue() const override { return state_.settings.DebugValue; }

    void WriteDebugValue(int32_t value) override {
        state_.settings.DebugValue = value;
        if (state_.settingsFile) {
            ::WriteDebugValue(*state_.settingsFile, value);
        }
    }

  private:
    ProgramState& state_;
};

}  // namespace

void RunConversion(ProgramState& state, const ConversionRequest& request) {
    if (!state.capture) {
        return;
    }
    ProgramCycleSettings settings(state);
    const LayoutTable& layouts = state.layouts.Table;
    const CycleServices services = state.capture->For(
        settings, [&layouts](std::wstring_view text, int32_t mode, bool autoDirection) {
            return ApplyConversionMode(layouts, text, mode, autoDirection);
        });
    const std::optional<std::wstring> notice =
        OutcomeNotice(RunConvertSelection(services, state.cycle, request));
    if (notice.has_value() && state.trayIcon && state.notices.Allow(state.capture->Clock.Now())) {
        state.trayIcon->ShowBalloon(*notice);
    }
}

void GiveKeyboardBack(ProgramState& state) {
    const HWND previous = state.previousForeground;
    if (previous == nullptr || IsWindowVisible(previous) == FALSE) {
        return;
    }
    SetForegroundWindow(previous);
    if (!state.capture) {
        return;
    }
    // The copy keys go to whatever has the keyboard when they are sent: wait, serving our
    // messages, until the user's window has it and has dealt with its activation.
    static_cast<void>(state.capture->Clock.WaitUntil(
        kKeyboardBackLimit, [previous] { return GetForegroundWindow() == previous; }));
    DWORD process = 0;
    GetWindowThreadProcessId(previous, &process);
    const ScopedHandle handle(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
    if (handle) {
        // A timeout or failure only means the keys come a little early, as without this.
        static_cast<void>(WaitForInputIdle(handle.get(), kInputIdleLimitMs));
    }
}
