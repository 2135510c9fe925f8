#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/layout_loader.h"

// Records everything the engine asks the user interface to do.
class RecordingLayoutUi : public LayoutUi {
  public:
    void ShowMessage(const std::wstring& text, MessageIcon icon) override {
        messages.emplace_back(text, icon);
    }
    void SetLayoutButtonCaption(int buttonIndex, const std::wstring& caption) override {
        captions.emplace_back(buttonIndex, caption);
    }
    void EndProgram() override { ++endProgramCalls; }

    std::vector<std::pair<std::wstring, MessageIcon>> messages;
    std::vector<std::pair<int, std::wstring>> captions;
    int endProgramCalls = 0;
};
