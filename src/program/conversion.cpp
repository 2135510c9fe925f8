#include "program/conversion.h"

#include "engine/conversion.h"
#include "engine/smart_conversion.h"
#include "program/input_language.h"

#include <utility>

namespace {

bool IsLayoutConversion(int32_t mode) {
    return mode == ToggleLayouts || mode == ToLayout1 || mode == ToLayout2;
}

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
    ConversionRequest cycleRequest = request;
    ConvertText convert = [&layouts](std::wstring_view text, int32_t mode, bool autoDirection) {
        return ApplyConversionMode(layouts, text, mode, autoDirection);
    };
    // Word by word, the input language follows the last converted word instead of a blind
    // Alt+Shift; a layout without a language keeps the Alt+Shift.
    const bool wordByWord =
        state.settings.SmartWords != 0 && IsLayoutConversion(request.ConvertMode);
    const bool switchToLastWord = wordByWord && request.SwitchLayoutAfter &&
                                  !layouts.Layout1Language.empty() &&
                                  !layouts.Layout2Language.empty();
    int lastConvertedLayout = 0;
    if (wordByWord) {
        cycleRequest.SwitchLayoutAfter = request.SwitchLayoutAfter && !switchToLastWord;
        convert = [&layouts, &lastConvertedLayout](std::wstring_view text, int32_t, bool) {
            SmartConversion converted = ConvertMistypedWords(layouts, text);
            lastConvertedLayout = converted.LastLayout;
            return std::move(converted.Text);
        };
    }
    const CycleServices services = state.capture->For(settings, std::move(convert));
    const CycleOutcome outcome = RunConvertSelection(services, state.cycle, cycleRequest);
    if (switchToLastWord && lastConvertedLayout != 0) {
        // False when that language is in use already or has no installed layout: the
        // user's keyboard stays as it is.
        static_cast<void>(SwitchInputLanguage(
            GetForegroundWindow(),
            lastConvertedLayout == 1 ? layouts.Layout1Language : layouts.Layout2Language));
    }
    const std::optional<std::wstring> notice = OutcomeNotice(outcome);
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
