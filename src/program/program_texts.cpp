#include "program/program_texts.h"

#include <algorithm>
#include <array>

namespace {

// The numbers come from the project's version, like those of the version resource.
std::wstring VersionText() {
    return std::to_wstring(ZENVORAL_VERSION_MAJOR) + L"." +
           std::to_wstring(ZENVORAL_VERSION_MINOR) + std::to_wstring(ZENVORAL_VERSION_REVISION);
}

}  // namespace

std::wstring MainWindowCaption() {
    return kProgramTitle + L" " + VersionText();
}

std::wstring AboutVersionLine() {
    return L"Version: " + VersionText();
}

std::wstring TrayTipText(std::wstring_view layout1Name, std::wstring_view layout2Name) {
    std::wstring tip = kProgramTitle + L" [";
    tip.append(layout1Name).append(L" / ").append(layout2Name).append(L"]");
    return tip.substr(0, kTrayTipMaxLength);
}

std::wstring ConversionButtonToolTip(int buttonIndex, std::wstring_view caption) {
    static const std::array<std::wstring, 3> kCaseButtonToolTips = {
        L"Converts the selected text to upper case.",
        L"Converts the selected text to lower case.",
        L"Capitalize first character of each word in the selected text.",
    };
    if (buttonIndex >= 2) {
        return kCaseButtonToolTips.at(static_cast<size_t>(buttonIndex - 2));
    }
    std::wstring name(caption);
    std::erase(name, L'&');
    return L"Converts the selected text to " + name;
}

std::optional<std::wstring> OutcomeNotice(CycleOutcome outcome) {
    switch (outcome) {
        case CycleOutcome::SelectTextFirst:
            return L"Select the text in the console first, then press the hotkey again.";
        case CycleOutcome::TargetElevated:
            return L"Zenvoral cannot reach windows of programs running as administrator.";
        case CycleOutcome::Done:
        case CycleOutcome::IgnoredAsNested:
            break;
    }
    return std::nullopt;
}
