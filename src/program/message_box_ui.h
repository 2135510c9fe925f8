#pragma once

#include "engine/layout_loader.h"
#include "program/program_state.h"

// What the portable parts tell the user and the layout loader's hooks into the main
// window: modal message boxes owned by the main window, the layout buttons' captions,
// and the end of the program when layouts.txt is gone.
class ProgramUi final : public LayoutUi {
  public:
    explicit ProgramUi(ProgramState& state) : state_(state) {}

    void ShowMessage(const std::wstring& text, MessageIcon icon) override;
    void SetLayoutButtonCaption(int buttonIndex, const std::wstring& caption) override;
    void EndProgram() override;

  private:
    ProgramState& state_;
};

// The folder part of a file path, without the last separator.
std::wstring FolderOf(const std::wstring& filePath);
