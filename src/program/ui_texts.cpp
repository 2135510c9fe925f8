#include "program/ui_texts.h"

#include <algorithm>
#include <array>

std::wstring VersionText(const VersionNumbers& version) {
    return std::to_wstring(version.Major) + L"." + std::to_wstring(version.Minor) +
           std::to_wstring(version.Revision);
}

std::wstring MainWindowCaption(const VersionNumbers& version) {
    return kProgramTitle + L" " + VersionText(version);
}

std::wstring AboutVersionLine(const VersionNumbers& version) {
    return L"Version: " + VersionText(version);
}

std::wstring AboutCaption() {
    return L"About " + kProgramTitle;
}

std::wstring TrayTipText(std::wstring_view layout1Name, std::wstring_view layout2Name) {
    std::wstring tip = kProgramTitle + L" [";
    tip += layout1Name;
    tip += L" / ";
    tip += layout2Name;
    tip += L"]";
    if (tip.size() > kTrayTipMaxLength) {
        tip.resize(kTrayTipMaxLength);
    }
    return tip;
}

std::wstring ConversionButtonToolTip(int buttonIndex, std::wstring_view caption) {
    static const std::array<std::wstring, 3> kFixedToolTips = {
        L"Converts the selected text to upper case.",
        L"Converts the selected text to lower case.",
        L"Capitalize first character of each word in the selected text.",
    };
    if (buttonIndex == 0 || buttonIndex == 1) {
        std::wstring name(caption);
        std::erase(name, L'&');
        return L"Converts the selected text to " + name;
    }
    if (buttonIndex >= 2 && buttonIndex < kConversionButtonCount) {
        return kFixedToolTips[static_cast<size_t>(buttonIndex - 2)];
    }
    return {};
}
