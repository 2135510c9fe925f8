#include "engine/conversion.h"

#include "engine/case_mapping.h"
#include "engine/layout_file.h"

namespace {

// The partner entry of a token, or nullptr. Positions at or beyond Layout1KeyCount,
// and empty partners, are no match.
const std::wstring* FindPartner(const LayoutTable& table, std::wstring_view token, int direction) {
    if (direction != 1 && direction != 2) {
        return nullptr;
    }
    const bool toFirst = direction == 1;
    const KeyIndex& sourceIndex = toFirst ? table.Layout2Index : table.Layout1Index;
    const std::vector<std::wstring>& source = toFirst ? table.Layout2Keys : table.Layout1Keys;
    const std::vector<std::wstring>& target = toFirst ? table.Layout1Keys : table.Layout2Keys;
    const int position = sourceIndex.Find(token);
    if (position < 0 || position >= table.Layout1KeyCount) {
        return nullptr;
    }
    const auto index = static_cast<size_t>(position);
    // The index is rebuilt with its list; this guards a table whose list was replaced
    // behind its back.
    if (index >= source.size() || index >= target.size() || source[index] != token) {
        return nullptr;
    }
    const std::wstring& partner = target[index];
    return partner.empty() ? nullptr : &partner;
}

bool IsAsciiUpper(wchar_t unit) {
    return unit >= L'A' && unit <= L'Z';
}
bool IsAsciiLower(wchar_t unit) {
    return unit >= L'a' && unit <= L'z';
}

bool IsWordSeparator(wchar_t unit) {
    switch (unit) {
        case 0:
        case L'\t':
        case L'\n':
        case L'\v':
        case L'\f':
        case L'\r':
        case L' ':
            return true;
        default:
            return false;
    }
}

}  // namespace

std::wstring LookupKeyEntry(const LayoutTable& table, std::wstring_view token, int direction) {
    if (!table.PositionsExistInBothLists()) {
        return {};
    }
    const std::wstring* partner = FindPartner(table, token, direction);
    return partner ? *partner : std::wstring();
}

std::wstring ConvertLayout(const LayoutTable& table, std::wstring_view text, int mode,
                           bool autoDirection) {
    // While a reload has left the count larger than a list (the count warning is
    // still open), converting would pair the wrong keys: leave the text alone.
    if (!table.PositionsExistInBothLists()) {
        return std::wstring(text);
    }
    const int direction = autoDirection ? DecideDirection(text) : mode;
    const KeyIndex& sourceIndex = direction == 1 ? table.Layout2Index : table.Layout1Index;
    std::wstring result;
    result.reserve(text.size() + text.size() / 4);
    size_t pos = 0;
    while (pos < text.size()) {
        if (pos + 1 < text.size() && sourceIndex.MayStartPair(text[pos])) {
            if (const std::wstring* pair = FindPartner(table, text.substr(pos, 2), direction)) {
                result += *pair;
                pos += 2;
                continue;
            }
        }
        if (const std::wstring* single = FindPartner(table, text.substr(pos, 1), direction)) {
            result += *single;
        } else {
            result.push_back(text[pos]);
        }
        ++pos;
    }
    return result;
}

int DecideDirection(std::wstring_view text) {
    size_t ascii = 0;
    for (const wchar_t unit : text) {
        if (static_cast<uint32_t>(unit) < 128) {
            ++ascii;
        }
    }
    const size_t nonAscii = text.size() - ascii;
    return nonAscii > ascii ? 1 : 2;
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
