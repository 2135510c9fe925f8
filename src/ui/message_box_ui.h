#pragma once

#include "engine/layout_loader.h"
#include "ui/program_state.h"

// Tells the user through modal message boxes owned by the main window.
class MessageBoxLayoutUi : public LayoutUi {
  public:
    explicit MessageBoxLayoutUi(ProgramState& state) : state_(state) {}

    void ShowMessage(const std::wstring& text, MessageIcon icon) override;
    void SetLayoutButtonCaption(int buttonIndex, const std::wstring& caption) override;
    void EndProgram() override;

  private:
    ProgramState& state_;
};
