#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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

    const std::wstring* FindSingle(wchar_t unit) const;
    bool MayStartPair(wchar_t unit) const;
    const std::wstring* FindPair(wchar_t first, wchar_t second) const;
    const std::wstring* Find(std::wstring_view token) const;

    // The text key by key, greedily preferring two-unit entries; unknown units pass
    // through. A vowel with an accent counts as its dead key and the vowel where the
    // source layout has that dead key, and the two keys become the accented vowel again
    // where the target layout has it.
    std::wstring Convert(std::wstring_view text) const;

    // Whether every key of the text is one the source layout has, with a partner.
    bool TypesAll(std::wstring_view text) const;

    // Where the text has accented vowels the source layout types with a dead key, the
    // text with those keys apart; else the text itself.
    std::wstring_view SplitDeadKeys(std::wstring_view text, std::wstring& storage) const;

  private:
    using Pair = std::pair<uint32_t, const std::wstring*>;

    static uint32_t PairKey(wchar_t first, wchar_t second) {
        return static_cast<uint32_t>(first) << 16 | static_cast<uint32_t>(second);
    }
    static bool KeyBefore(const Pair& left, const Pair& right) { return left.first < right.first; }
    void JoinDeadKeys(std::wstring& text) const;

    std::vector<const std::wstring*> singles_;
    std::vector<uint8_t> pairStarts_;  // not vector<bool>: this is read for every unit
    std::vector<Pair> pairs_;
    std::wstring sourceDeadKeys_;  // the dead keys each side has
    std::wstring targetDeadKeys_;
};
