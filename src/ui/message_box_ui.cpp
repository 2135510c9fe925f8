#include "ui/message_box_ui.h"

#include "ui/main_window.h"

namespace {

UINT MessageBoxIconFlag(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return MB_ICONERROR;
        case MessageIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case MessageIcon::Information:
            return MB_ICONINFORMATION;
    }
    return MB_ICONINFORMATION;
}

}  // namespace

void MessageBoxLayoutUi::ShowMessage(const std::wstring& text, MessageIcon icon) {
    // Nothing to do with the answer: the only button is OK.
    static_cast<void>(MessageBoxW(state_.mainWindow, text.c_str(), kProgramTitle.c_str(),
                                  MB_OK | MessageBoxIconFlag(icon)));
}

void MessageBoxLayoutUi::SetLayoutButtonCaption(int buttonIndex, const std::wstring& caption) {
    if (buttonIndex < 0 || buttonIndex >= static_cast<int>(state_.layoutButtonCaptions.size())) {
        return;
    }
    state_.layoutButtonCaptions[static_cast<size_t>(buttonIndex)] = caption;
}

void MessageBoxLayoutUi::EndProgram() {
    state_.exitCode = kExitCodeMissingLayouts;
    CloseMainWindow(state_);
}
