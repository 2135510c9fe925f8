#pragma once

#include <windows.h>

#include <string>

#include "program/message_sink.h"

// A modal message box captioned with the program's title, one OK button, and the icon
// that tells the kind of message.
void ShowProgramMessageBox(HWND owner, const std::wstring& text, MessageIcon icon);

// Message boxes owned by one window, which stays modal under them.
class MessageBoxSink final : public MessageSink {
  public:
    explicit MessageBoxSink(HWND owner) : owner_(owner) {}
    void ShowMessage(const std::wstring& text, MessageIcon icon) override {
        ShowProgramMessageBox(owner_, text, icon);
    }

  private:
    HWND owner_;
};
