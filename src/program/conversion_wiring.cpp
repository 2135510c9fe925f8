#include "program/conversion_wiring.h"

#include "capture/win32_capture.h"
#include "settings/program_settings.h"
#include "program/main_window.h"
#include "program/start_up.h"

namespace {

// The cycle's view of the program's settings.
class ProgramCycleSettings final : public CycleSettings {
  public:
    explicit ProgramCycleSettings(ProgramState& state) : state_(state) {}

    float ReadDelay() override {
        // A value that is no number keeps the delay in force.
        static_cast<void>(ReadDelaySetting(state_.Settings(), state_.settings.Delay));
        return state_.settings.Delay;
    }

    int32_t DebugValue() const override { return state_.settings.DebugValue; }

    void WriteDebugValue(int32_t value) override {
        state_.settings.DebugValue = value;
        // A refused write loses one count; nothing to tell the user.
        static_cast<void>(state_.Settings().Write(L"DebugValue", std::to_wstring(value)));
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
    const CycleServices services = state.capture->For(settings, state.layouts);
    // False when another cycle was running: this request is dropped on purpose.
    static_cast<void>(RunConvertSelection(services, state.cycle, request.CopyMode,
                                          request.ConvertMode, request.AutoDirection,
                                          request.SwitchLayoutAfter));
    if (state.unloadPending && !state.cycle.Running) {
        UnloadMainWindow(state);
    }
}

void ProgramHotkeyActions::Convert(const ConversionRequest& request) {
    RunConversion(state_, request);
}

void ProgramHotkeyActions::ShowMainWindow() {
    ::ShowMainWindow(state_);
}
