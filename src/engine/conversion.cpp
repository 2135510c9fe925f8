#include "engine/conversion.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/strings.h"
#include "engine/case_mapping.h"

namespace {

constexpr uint32_t kUnitCount = 0x10000;

// wchar_t is 32 bits on Linux, where a value above 0xFFFF is no UTF-16 unit.
bool IsUtf16Unit(wchar_t unit) {
    return static_cast<std::make_unsigned_t<wchar_t>>(unit) < kUnitCount;
}

// Positions below Layout1KeyCount exist in both lists once the count check has run.
bool PositionsExistInBothLists(const LayoutTable& table) {
    const auto count = static_cast<size_t>(std::max(table.Layout1KeyCount, 0));
    return count <= table.Layout1Keys.size() && count <= table.Layout2Keys.size();
}

// For every one- or two-unit entry of the source layout, the target layout's entry at
// its lowest position, or nullptr where that entry is empty (no match). Built for each
// conversion from the positions it compares; a table over all UTF-16 units answers a
// single unit in one step.
class PartnerMap {
  public:
    PartnerMap(const LayoutTable& table, int direction)
        : singles_(kUnitCount, nullptr), pairStarts_(kUnitCount, 0) {
        const bool toFirst = direction == ToLayout1;
        const std::vector<std::wstring>& source = toFirst ? table.Layout2Keys : table.Layout1Keys;
        const std::vector<std::wstring>& target = toFirst ? table.Layout1Keys : table.Layout2Keys;
        // Walking backwards lets the lowest position overwrite the higher ones.
        for (size_t i = static_cast<size_t>(std::max(table.Layout1KeyCount, 0)); i-- > 0;) {
            const std::wstring& entry = source[i];
            const std::wstring* partner = target[i].empty() ? nullptr : &target[i];
            if (entry.size() == 1 && IsUtf16Unit(entry[0])) {
                singles_[static_cast<uint32_t>(entry[0])] = partner;
            } else if (entry.size() == 2 && IsUtf16Unit(entry[0]) && IsUtf16Unit(entry[1])) {
                pairs_.emplace_back(PairKey(entry[0], entry[1]), partner);
                pairStarts_[static_cast<uint32_t>(entry[0])] = 1;
            }
        }
        // Lowest position first among equal keys, where the search lands.
        std::reverse(pairs_.begin(), pairs_.end());
        std::stable_sort(pairs_.begin(), pairs_.end(), KeyBefore);
    }

    const std::wstring* FindSingle(wchar_t unit) const {
        return IsUtf16Unit(unit) ? singles_[static_cast<uint32_t>(unit)] : nullptr;
    }

    bool MayStartPair(wchar_t unit) const {
        return IsUtf16Unit(unit) && pairStarts_[static_cast<uint32_t>(unit)] != 0;
    }

    const std::wstring* FindPair(wchar_t first, wchar_t second) const {
        if (!MayStartPair(first) || !IsUtf16Unit(second)) {
            return nullptr;
        }
        const Pair wanted{PairKey(first, second), nullptr};
        const auto found = std::lower_bound(pairs_.begin(), pairs_.end(), wanted, KeyBefore);
        return found != pairs_.end() && found->first == wanted.first ? found->second : nullptr;
    }

    const std::wstring* Find(std::wstring_view token) const {
        if (token.size() == 1) {
            return FindSingle(token[0]);
        }
        return token.size() == 2 ? FindPair(token[0], token[1]) : nullptr;
    }

  private:
    using Pair = std::pair<uint32_t, const std::wstring*>;

    static uint32_t PairKey(wchar_t first, wchar_t second) {
        return static_cast<uint32_t>(first) << 16 | static_cast<uint32_t>(second);
    }
    static bool KeyBefore(const Pair& left, const Pair& right) { return left.first < right.first; }

    std::vector<const std::wstring*> singles_;
    std::vector<uint8_t> pairStarts_;  // not vector<bool>: this is read for every unit
    std::vector<Pair> pairs_;
};

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
    const PartnerMap partners(table, direction);
    std::wstring result;
    result.reserve(text.size() + text.size() / 4);
    for (size_t pos = 0; pos < text.size();) {
        const wchar_t unit = text[pos];
        const std::wstring* pair = nullptr;
        if (partners.MayStartPair(unit) && pos + 1 < text.size()) {
            pair = partners.FindPair(unit, text[pos + 1]);
        }
        if (pair) {
            result += *pair;
            pos += 2;
            continue;
        }
        const std::wstring* single = partners.FindSingle(unit);
        if (!single) {
            result.push_back(unit);
        } else if (single->size() == 1) {
            result.push_back(single->front());
        } else {
            result += *single;
        }
        ++pos;
    }
    return result;
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
