#include "engine/layout_table.h"

#include <type_traits>

namespace {

uint32_t PairKey(wchar_t first, wchar_t second) {
    return (static_cast<uint32_t>(first) << 16) | static_cast<uint32_t>(second);
}

// wchar_t is 32 bits on Linux, where a value above 0xFFFF is no UTF-16 unit.
bool IsUtf16Unit(wchar_t unit) {
    const uint64_t value = static_cast<std::make_unsigned_t<wchar_t>>(unit);
    return value <= 0xFFFF;
}

}  // namespace

void KeyIndex::Rebuild(const std::vector<std::wstring>& keys) {
    singlePositions_.assign(kUnitCount, -1);
    pairStarts_.assign(kUnitCount / 64, 0);
    pairPositions_.clear();
    // Walking backwards lets the lowest position overwrite the higher ones.
    for (size_t i = keys.size(); i-- > 0;) {
        const std::wstring& entry = keys[i];
        const auto position = static_cast<int32_t>(i);
        if (entry.size() == 1 && IsUtf16Unit(entry[0])) {
            singlePositions_[static_cast<uint32_t>(entry[0])] = position;
        } else if (entry.size() == 2 && IsUtf16Unit(entry[0]) && IsUtf16Unit(entry[1])) {
            pairPositions_[PairKey(entry[0], entry[1])] = position;
            const auto first = static_cast<uint32_t>(entry[0]);
            pairStarts_[first / 64] |= uint64_t{1} << (first % 64);
        }
    }
}

bool KeyIndex::MayStartPair(wchar_t unit) const {
    const auto value = static_cast<uint32_t>(unit);
    if (pairStarts_.empty() || value >= kUnitCount) {
        return false;
    }
    return (pairStarts_[value / 64] >> (value % 64)) & 1;
}

int KeyIndex::Find(std::wstring_view token) const {
    if (singlePositions_.empty()) {
        return -1;
    }
    if (token.size() == 1 && IsUtf16Unit(token[0])) {
        return singlePositions_[static_cast<uint32_t>(token[0])];
    }
    if (token.size() == 2 && MayStartPair(token[0]) && IsUtf16Unit(token[1])) {
        const auto found = pairPositions_.find(PairKey(token[0], token[1]));
        return found == pairPositions_.end() ? -1 : found->second;
    }
    return -1;
}

void LayoutTable::SetKeys(int slot, std::vector<std::wstring> keys) {
    const bool first = slot == 1;
    std::vector<std::wstring>& list = first ? Layout1Keys : Layout2Keys;
    list = std::move(keys);
    (first ? Layout1KeyCount : Layout2KeyCount) = static_cast<int>(list.size());
    (first ? Layout1Index : Layout2Index).Rebuild(list);
}

bool LayoutTable::PositionsExistInBothLists() const {
    const auto count = static_cast<size_t>(Layout1KeyCount < 0 ? 0 : Layout1KeyCount);
    return count <= Layout1Keys.size() && count <= Layout2Keys.size();
}
