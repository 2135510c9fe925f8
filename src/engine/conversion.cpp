#include "engine/conversion.h"

#include <algorithm>
#include <cstdint>

#include "base/strings.h"
#include "engine/case_mapping.h"
#include "engine/key_partners.h"

namespace {

bool IsLayoutDirection(int direction) {
    return direction == ToLayout1 || direction == ToLayout2;
}

bool IsAsciiUpper(wchar_t unit) {
    return unit >= L'A' && unit <= L'Z';
}

bool IsAsciiLower(wchar_t unit) {
    return unit >= L'a' && unit <= L'z';
}

bool IsWordSeparator(wchar_t unit) {
    return unit == 0 || unit == L' ' || (unit >= L'\t' && unit <= L'\r');
}

std::wstring ToProperCase(std::wstring_view text) {
    std::wstring result = ToLowerText(text);
    const std::wstring upper = ToUpperText(text);
    bool atWordStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        if (atWordStart) {
            result[i] = upper[i];
        }
        atWordStart = IsWordSeparator(text[i]);
    }
    return result;
}

}  // namespace

std::wstring LookupKeyEntry(const LayoutTable& table, std::wstring_view token, int direction) {
    if (!IsLayoutDirection(direction) || !PositionsExistInBothLists(table)) {
        return {};
    }
    const std::wstring* partner = PartnerMap(table, direction).Find(token);
    return partner ? *partner : std::wstring();
}

std::wstring ConvertLayout(const LayoutTable& table, std::wstring_view text, int mode,
                           bool autoDirection) {
    const int direction = autoDirection ? DecideDirection(text) : mode;
    // A table whose count runs past a list would pair the wrong keys: leave the text.
    if (!IsLayoutDirection(direction) || !PositionsExistInBothLists(table)) {
        return std::wstring(text);
    }
    return PartnerMap(table, direction).Convert(text);
}

int DecideDirection(std::wstring_view text) {
    const auto ascii = static_cast<size_t>(std::count_if(
        text.begin(), text.end(), [](wchar_t unit) { return static_cast<uint32_t>(unit) < 128; }));
    return text.size() - ascii > ascii ? ToLayout1 : ToLayout2;
}

std::optional<int> DecideCaseMode(std::wstring_view text) {
    const std::wstring_view trimmed = TrimBlanks(text);
    if (trimmed.empty()) {
        return std::nullopt;
    }
    const wchar_t first = trimmed.front();
    const wchar_t last = trimmed.back();
    if (IsAsciiUpper(first) && IsAsciiUpper(last)) {
        return LowerCase;
    }
    if (IsAsciiUpper(first) && IsAsciiLower(last)) {
        return UpperCase;
    }
    if (IsAsciiLower(first) && IsAsciiLower(last)) {
        return ProperCase;
    }
    return LowerCase;
}

std::wstring ApplyConversionMode(const LayoutTable& table, std::wstring_view text, int mode,
                                 bool autoDirection) {
    if (mode == ToggleCase) {
        mode = DecideCaseMode(text).value_or(ToggleCase);
    }
    switch (mode) {
        case ToggleLayouts:
        case ToLayout1:
        case ToLayout2:
            return ConvertLayout(table, text, mode, autoDirection);
        case UpperCase:
            return ToUpperText(text);
        case LowerCase:
            return ToLowerText(text);
        case ProperCase:
            return ToProperCase(text);
        default:
            return std::wstring(text);
    }
}
