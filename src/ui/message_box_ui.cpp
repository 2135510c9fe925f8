#include "ui/message_box_ui.h"

#include "ui/main_window.h"
#include "ui/resources/resource_ids.h"
#include "ui/start_up.h"

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

void ProgramUi::ShowMessage(const std::wstring& text, MessageIcon icon) {
    // Nothing to do with the answer: the only button is OK.
    static_cast<void>(MessageBoxW(state_.mainWindow, text.c_str(), kProgramTitle.c_str(),
                                  MB_OK | MessageBoxIconFlag(icon)));
}

void ProgramUi::SetLayoutButtonCaption(int buttonIndex, const std::wstring& caption) {
    ::SetLayoutButtonCaption(state_, buttonIndex, caption);
}

void ProgramUi::EndProgram() {
    state_.exitCode = kExitCodeMissingLayouts;
    if (!state_.startedUp) {
        UnloadMainWindow(state_);
        return;
    }
    // Called from inside the options dialog: the window goes once the dialog has closed.
    PostMessageW(state_.mainWindow, WM_COMMAND, IDM_EXIT, 0);
}

std::wstring FolderOf(const std::wstring& filePath) {
    const size_t lastSeparator = filePath.find_last_of(L"\\/");
    return lastSeparator == std::wstring::npos ? std::wstring() : filePath.substr(0, lastSeparator);
}
