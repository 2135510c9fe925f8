#include "ui/start_up.h"

#include "app/file_access.h"
#include "engine/layout_loader.h"
#include "ui/message_box_ui.h"

namespace {

constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 6;
constexpr int kVersionRevision = 0;

std::wstring FolderOf(const std::wstring& filePath) {
    const size_t lastSeparator = filePath.find_last_of(L"\\/");
    return lastSeparator == std::wstring::npos ? std::wstring() : filePath.substr(0, lastSeparator);
}

bool LoadLayouts(const LayoutContext& context) {
    if (!LoadLayoutNames(context) || !LoadLayout(context, kDefaultLayout1Name, 1) ||
        !LoadLayout(context, kDefaultLayout2Name, 2)) {
        return false;
    }
    CheckLayoutKeyCounts(context);
    return true;
}

}  // namespace

std::wstring MainWindowCaption() {
    return kProgramTitle + L" " + std::to_wstring(kVersionMajor) + L"." +
           std::to_wstring(kVersionMinor) + std::to_wstring(kVersionRevision);
}

bool StartUp(ProgramState& state) {
    MessageBoxLayoutUi ui(state);
    const LayoutContext context{state.layouts, FolderOf(ExecutablePath()), ui};
    if (!LoadLayouts(context)) {
        return false;
    }
    // The caption changes last, so anyone watching can tell that start-up is over.
    SetWindowTextW(state.mainWindow, MainWindowCaption().c_str());
    return true;
}
