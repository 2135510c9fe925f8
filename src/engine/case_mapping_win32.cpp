#include <windows.h>

#include "engine/case_mapping.h"

namespace {

std::wstring MapCase(std::wstring_view text, DWORD flags) {
    if (text.empty()) {
        return {};
    }
    std::wstring mapped(text.size(), L'\0');
    const int length = static_cast<int>(text.size());
    const int written =
        LCMapStringW(LOCALE_USER_DEFAULT, flags, text.data(), length, mapped.data(), length);
    // Simple case mapping never changes the length; anything else means the call did
    // not do what we asked, and the text is better left as it was.
    if (written != length) {
        return std::wstring(text);
    }
    return mapped;
}

}  // namespace

std::wstring ToUpperText(std::wstring_view text) {
    return MapCase(text, LCMAP_UPPERCASE);
}

std::wstring ToLowerText(std::wstring_view text) {
    return MapCase(text, LCMAP_LOWERCASE);
}
