#include "program/message_box_ui.h"

#include "program/main_window.h"
#include "program/message_box_win32.h"
#include "program/resources/resource_ids.h"
#include "program/start_up.h"

void ProgramUi::ShowMessage(const std::wstring& text, MessageIcon icon) {
    ShowProgramMessageBox(state_.mainWindow, text, icon);
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
