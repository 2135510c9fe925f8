#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "engine/layout_table.h"

// The key-by-key lookup both the plain and the word-by-word conversions are made of.

// Positions below Layout1KeyCount exist in both lists once the count check has run.
bool PositionsExistInBothLists(const LayoutTable& table);

// For every one- or two-unit entry of the source layout, the target layout's entry at
// its lowest position, or nullptr where that entry is empty (no match). Built for each
// conversion from the positions it compares; a table over all UTF-16 units answers a
// single unit in one step. Direction is ToLayout1 or ToLayout2.
class PartnerMap {
  public:
    PartnerMap(const LayoutTable& table, int direction);

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
    const std::wstring* Find(std::wstring_view token) const;
    bool HasPairs() const { return !pairs_.empty(); }

    // The text key by key, greedily preferring two-unit entries; unknown units pass
    // through. A vowel with an accent counts as its dead key and the vowel where the
    // source layout has that dead key, and the two keys become the accented vowel again
    // where the target layout has it.
    std::wstring Convert(std::wstring_view text) const;

    // The same into result (its storage reused), or false as soon as a unit is no key of
    // the source layout with a partner.
    bool ConvertKeys(std::wstring_view text, std::wstring& result) const;

  private:
    using Pair = std::pair<uint32_t, const std::wstring*>;
    static constexpr uint32_t kUnitCount = 0x10000;

    // wchar_t is 32 bits on Linux, where a value above 0xFFFF is no UTF-16 unit.
    static bool IsUtf16Unit(wchar_t unit) {
        return static_cast<std::make_unsigned_t<wchar_t>>(unit) < kUnitCount;
    }

    static uint32_t PairKey(wchar_t first, wchar_t second) {
        return static_cast<uint32_t>(first) << 16 | static_cast<uint32_t>(second);
    }
    static bool KeyBefore(const Pair& left, const Pair& right) { return left.first < right.first; }
    // The text with its accented vowels apart into dead key and vowel, kept in storage.
    std::wstring_view SplitDeadKeys(std::wstring_view text, std::wstring& storage) const;
    void JoinDeadKeys(std::wstring& text) const;
    bool ConvertInto(std::wstring_view text, std::wstring& result, bool onlyKeys) const;

    std::vector<const std::wstring*> singles_;
    std::vector<uint8_t> pairStarts_;  // not vector<bool>: this is read for every unit
    std::vector<Pair> pairs_;
    std::wstring sourceDeadKeys_;  // the dead keys each side has
    std::wstring targetDeadKeys_;
    bool splitsDeadKeys_ = false;
    bool joinsDeadKeys_ = false;
};
