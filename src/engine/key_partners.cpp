#include "engine/key_partners.h"

#include <algorithm>
#include <array>
#include <type_traits>

#include "engine/conversion.h"

namespace {

constexpr uint32_t kUnitCount = 0x10000;

// wchar_t is 32 bits on Linux, where a value above 0xFFFF is no UTF-16 unit.
bool IsUtf16Unit(wchar_t unit) {
    return static_cast<std::make_unsigned_t<wchar_t>>(unit) < kUnitCount;
}

// Greek vowels are accented with a dead key pressed before them: tonos, diaeresis, or
// both. Where one layout has the dead key and the other does not, the dead key and the
// vowel are two keys on the other side (";a" for "ά" on an English keyboard).
struct DeadKeyVowel {
    wchar_t deadKey;
    wchar_t vowel;
    wchar_t accented;
};

constexpr wchar_t kTonos = L'\u0384';
constexpr wchar_t kDiaeresis = L'\u00A8';
constexpr wchar_t kDiaeresisTonos = L'\u0385';

constexpr std::array kDeadKeyVowels = {
    DeadKeyVowel{kTonos, L'α', L'ά'},          DeadKeyVowel{kTonos, L'ε', L'έ'},
    DeadKeyVowel{kTonos, L'η', L'ή'},          DeadKeyVowel{kTonos, L'ι', L'ί'},
    DeadKeyVowel{kTonos, L'ο', L'ό'},          DeadKeyVowel{kTonos, L'υ', L'ύ'},
    DeadKeyVowel{kTonos, L'ω', L'ώ'},          DeadKeyVowel{kTonos, L'Α', L'Ά'},
    DeadKeyVowel{kTonos, L'Ε', L'Έ'},          DeadKeyVowel{kTonos, L'Η', L'Ή'},
    DeadKeyVowel{kTonos, L'Ι', L'Ί'},          DeadKeyVowel{kTonos, L'Ο', L'Ό'},
    DeadKeyVowel{kTonos, L'Υ', L'Ύ'},          DeadKeyVowel{kTonos, L'Ω', L'Ώ'},
    DeadKeyVowel{kDiaeresis, L'ι', L'ϊ'},      DeadKeyVowel{kDiaeresis, L'υ', L'ϋ'},
    DeadKeyVowel{kDiaeresis, L'Ι', L'Ϊ'},      DeadKeyVowel{kDiaeresis, L'Υ', L'Ϋ'},
    DeadKeyVowel{kDiaeresisTonos, L'ι', L'ΐ'}, DeadKeyVowel{kDiaeresisTonos, L'υ', L'ΰ'},
};

const DeadKeyVowel* FindAccented(wchar_t unit) {
    const auto found = std::find_if(kDeadKeyVowels.begin(), kDeadKeyVowels.end(),
                                    [&](const DeadKeyVowel& v) { return v.accented == unit; });
    return found == kDeadKeyVowels.end() ? nullptr : &*found;
}

const DeadKeyVowel* FindJoined(wchar_t deadKey, wchar_t vowel) {
    const auto found = std::find_if(
        kDeadKeyVowels.begin(), kDeadKeyVowels.end(),
        [&](const DeadKeyVowel& v) { return v.deadKey == deadKey && v.vowel == vowel; });
    return found == kDeadKeyVowels.end() ? nullptr : &*found;
}

std::wstring DeadKeysOf(const std::vector<std::wstring>& keys, size_t count) {
    std::wstring deadKeys;
    for (const wchar_t deadKey : {kTonos, kDiaeresis, kDiaeresisTonos}) {
        if (std::find(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(count),
                      std::wstring(1, deadKey)) !=
            keys.begin() + static_cast<std::ptrdiff_t>(count)) {
            deadKeys.push_back(deadKey);
        }
    }
    return deadKeys;
}

}  // namespace

bool PositionsExistInBothLists(const LayoutTable& table) {
    const auto count = static_cast<size_t>(std::max(table.Layout1KeyCount, 0));
    return count <= table.Layout1Keys.size() && count <= table.Layout2Keys.size();
}

PartnerMap::PartnerMap(const LayoutTable& table, int direction)
    : singles_(kUnitCount, nullptr), pairStarts_(kUnitCount, 0) {
    const bool toFirst = direction == ToLayout1;
    const std::vector<std::wstring>& source = toFirst ? table.Layout2Keys : table.Layout1Keys;
    const std::vector<std::wstring>& target = toFirst ? table.Layout1Keys : table.Layout2Keys;
    const auto count = static_cast<size_t>(std::max(table.Layout1KeyCount, 0));
    // Walking backwards lets the lowest position overwrite the higher ones.
    for (size_t i = count; i-- > 0;) {
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
    sourceDeadKeys_ = DeadKeysOf(source, count);
    targetDeadKeys_ = DeadKeysOf(target, count);
}

const std::wstring* PartnerMap::FindSingle(wchar_t unit) const {
    return IsUtf16Unit(unit) ? singles_[static_cast<uint32_t>(unit)] : nullptr;
}

bool PartnerMap::MayStartPair(wchar_t unit) const {
    return IsUtf16Unit(unit) && pairStarts_[static_cast<uint32_t>(unit)] != 0;
}

const std::wstring* PartnerMap::FindPair(wchar_t first, wchar_t second) const {
    if (!MayStartPair(first) || !IsUtf16Unit(second)) {
        return nullptr;
    }
    const Pair wanted{PairKey(first, second), nullptr};
    const auto found = std::lower_bound(pairs_.begin(), pairs_.end(), wanted, KeyBefore);
    return found != pairs_.end() && found->first == wanted.first ? found->second : nullptr;
}

const std::wstring* PartnerMap::Find(std::wstring_view token) const {
    if (token.size() == 1) {
        return FindSingle(token[0]);
    }
    return token.size() == 2 ? FindPair(token[0], token[1]) : nullptr;
}

std::wstring_view PartnerMap::SplitDeadKeys(std::wstring_view text, std::wstring& storage) const {
    if (sourceDeadKeys_.empty() || targetDeadKeys_ == sourceDeadKeys_) {
        return text;
    }
    storage.clear();
    for (const wchar_t unit : text) {
        const DeadKeyVowel* accented = unit >= 0x380 ? FindAccented(unit) : nullptr;
        if (accented && sourceDeadKeys_.find(accented->deadKey) != std::wstring::npos) {
            storage.push_back(accented->deadKey);
            storage.push_back(accented->vowel);
        } else {
            storage.push_back(unit);
        }
    }
    return storage;
}

void PartnerMap::JoinDeadKeys(std::wstring& text) const {
    size_t kept = 0;
    for (size_t pos = 0; pos < text.size(); ++pos) {
        const DeadKeyVowel* joined = nullptr;
        if (pos + 1 < text.size() && targetDeadKeys_.find(text[pos]) != std::wstring::npos) {
            joined = FindJoined(text[pos], text[pos + 1]);
        }
        text[kept++] = joined ? joined->accented : text[pos];
        pos += joined ? 1 : 0;
    }
    text.resize(kept);
}

std::wstring PartnerMap::Convert(std::wstring_view text) const {
    std::wstring split;
    text = SplitDeadKeys(text, split);
    std::wstring result;
    result.reserve(text.size() + text.size() / 4);
    for (size_t pos = 0; pos < text.size();) {
        const wchar_t unit = text[pos];
        const std::wstring* pair = nullptr;
        if (MayStartPair(unit) && pos + 1 < text.size()) {
            pair = FindPair(unit, text[pos + 1]);
        }
        if (pair) {
            result += *pair;
            pos += 2;
            continue;
        }
        const std::wstring* single = FindSingle(unit);
        if (!single) {
            result.push_back(unit);
        } else if (single->size() == 1) {
            result.push_back(single->front());
        } else {
            result += *single;
        }
        ++pos;
    }
    if (!targetDeadKeys_.empty() && targetDeadKeys_ != sourceDeadKeys_) {
        JoinDeadKeys(result);
    }
    return result;
}

bool PartnerMap::TypesAll(std::wstring_view text) const {
    std::wstring split;
    text = SplitDeadKeys(text, split);
    for (size_t pos = 0; pos < text.size();) {
        if (pos + 1 < text.size() && FindPair(text[pos], text[pos + 1])) {
            pos += 2;
        } else if (FindSingle(text[pos])) {
            ++pos;
        } else {
            return false;
        }
    }
    return true;
}
