#pragma once

#include "program/hotkey_dispatch.h"
#include "program/program_state.h"

// The one place where the user interface hands work to the convert-selection cycle.
// A request that arrives while a cycle runs (every wait of a cycle serves messages)
// is dropped, so the first cycle keeps the user's saved clipboard.
void RunConversion(ProgramState& state, const ConversionRequest& request);

// The hotkeys' actions on the running program.
class ProgramHotkeyActions final : public HotkeyActions {
  public:
    explicit ProgramHotkeyActions(ProgramState& state) : state_(state) {}
    void Convert(const ConversionRequest& request) override;
    void ShowMainWindow() override;

  private:
    ProgramState& state_;
};
