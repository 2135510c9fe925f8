#include "program/input_language.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr std::array<std::pair<std::wstring_view, WORD>, 8> kPrimaryLanguages = {{
    {L"en", LANG_ENGLISH},
    {L"ar", LANG_ARABIC},
    {L"fa", LANG_PERSIAN},
    {L"he", LANG_HEBREW},
    {L"el", LANG_GREEK},
    {L"ru", LANG_RUSSIAN},
    {L"fr", LANG_FRENCH},
    {L"de", LANG_GERMAN},
}};

std::optional<WORD> PrimaryLanguageOf(std::wstring_view languageTag) {
    for (const auto& [tag, language] : kPrimaryLanguages) {
        if (tag == languageTag) {
            return language;
        }
    }
    return std::nullopt;
}

WORD PrimaryLanguageOf(HKL layout) {
    return PRIMARYLANGID(LOWORD(reinterpret_cast<UINT_PTR>(layout)));
}

std::vector<HKL> InstalledLayouts() {
    std::vector<HKL> layouts(static_cast<size_t>(std::max(GetKeyboardLayoutList(0, nullptr), 0)));
    const int count = GetKeyboardLayoutList(static_cast<int>(layouts.size()), layouts.data());
    layouts.resize(static_cast<size_t>(std::max(count, 0)));
    return layouts;
}

}  // namespace

bool SwitchInputLanguage(HWND window, std::wstring_view languageTag) {
    const std::optional<WORD> wanted = PrimaryLanguageOf(languageTag);
    if (!wanted || window == nullptr) {
        return false;
    }
    const HKL inUse = GetKeyboardLayout(GetWindowThreadProcessId(window, nullptr));
    if (PrimaryLanguageOf(inUse) == *wanted) {
        return false;
    }
    for (const HKL layout : InstalledLayouts()) {
        if (PrimaryLanguageOf(layout) == *wanted) {
            // The window's own thread changes its layout, as when the user picks one.
            return PostMessageW(window, WM_INPUTLANGCHANGEREQUEST, 0,
                                reinterpret_cast<LPARAM>(layout)) != FALSE;
        }
    }
    return false;
}
