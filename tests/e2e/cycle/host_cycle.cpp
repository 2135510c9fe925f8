#include "host_cycle.h"

#include <string>
#include <utility>

#include "base/file_access.h"
#include "console_text.h"
#include "engine/conversion.h"
#include "engine/layout_loader.h"
#include "settings/program_settings.h"
#include "settings/settings_file.h"

namespace {

const std::wstring kDefaultLayout1 = L"English (101 Keys)";
const std::wstring kDefaultLayout2 = L"Arabic (101 Keys)";

// The loader's messages go to standard error; there is no program to end.
class ConsoleLayoutUi final : public LayoutUi {
  public:
    void ShowMessage(const std::wstring& text, MessageIcon) override { PrintError(text + L"\n"); }
    void SetLayoutButtonCaption(int, const std::wstring&) override {}
    void EndProgram() override {}
};

}  // namespace

HostCycleSettings::HostCycleSettings(float delay, std::optional<std::wstring> iniFilePath)
    : iniFilePath_(std::move(iniFilePath)), delay_(delay) {}

HostCycleSettings HostCycleSettings::WithDelay(float delay) {
    return HostCycleSettings(delay, std::nullopt);
}

HostCycleSettings HostCycleSettings::FromIniFile(std::wstring iniFilePath) {
    return HostCycleSettings(kDefaultCycleDelay, std::move(iniFilePath));
}

float HostCycleSettings::ReadDelay() {
    if (iniFilePath_) {
        // A "Delay" that is no number keeps the one in force, as in the program.
        static_cast<void>(ReadDelaySetting(SettingsFile{profile_, *iniFilePath_}, delay_));
    }
    return delay_;
}

std::optional<CycleRequest> RequestForMode(int32_t mode) {
    switch (mode) {
        case ToggleLayouts:
            // The hotkey copies with the fallback of a layout conversion (line start).
            return CycleRequest{ToLayout1, ToggleLayouts, true, true};
        case ToggleCase:
            return CycleRequest{UpperCase, ToggleCase, false, false};
        case ToLayout1:
        case ToLayout2:
            return CycleRequest{mode, mode, false, true};
        case UpperCase:
        case LowerCase:
        case ProperCase:
            return CycleRequest{mode, mode, false, false};
        default:
            return std::nullopt;
    }
}

bool RunRequest(const CycleServices& services, CycleState& state, const CycleRequest& request) {
    constexpr bool kAutoSwitchKeyboard = false;
    return RunConvertSelection(services, state, request.CopyMode, request.ConvertMode,
                               request.AutoDirection,
                               request.SwitchesLayout && kAutoSwitchKeyboard);
}

bool LoadDefaultLayouts(const std::wstring& folder, LayoutTable& table) {
    ConsoleLayoutUi ui;
    const LayoutContext context{table, folder, ui};
    if (!LoadLayoutNames(context) || !LoadLayout(context, kDefaultLayout1, 1) ||
        !LoadLayout(context, kDefaultLayout2, 2)) {
        return false;
    }
    CheckLayoutKeyCounts(context);
    return true;
}

std::wstring ProgramFolder() {
    const std::wstring executable = ExecutablePath();
    const size_t separator = executable.find_last_of(L'\\');
    return separator == std::wstring::npos ? std::wstring() : executable.substr(0, separator);
}
