#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Finds the lowest position at which a one- or two-unit token stands in a key list.
// Entries of other lengths can never be matched, so they are not indexed.
class KeyIndex {
  public:
    void Rebuild(const std::vector<std::wstring>& keys);

    // Lowest position of an entry equal to the token, or -1.
    int Find(std::wstring_view token) const;

    // True when some two-unit entry begins with this unit: lets the converter skip the
    // pair lookup for most characters.
    bool MayStartPair(wchar_t unit) const;

  private:
    static constexpr uint32_t kUnitCount = 0x10000;
    std::vector<int32_t> singlePositions_;  // by unit; -1 where no entry
    std::unordered_map<uint32_t, int32_t> pairPositions_;
    std::vector<uint64_t> pairStarts_;  // bit set over units
};

// Everything read from layouts.txt for the two active layouts.
struct LayoutTable {
    std::vector<std::wstring> LayoutNames;  // header lines with brackets; first is number 1
    int LayoutNameCount = 0;
    std::wstring Layout1Name;
    std::wstring Layout2Name;
    std::vector<std::wstring> Layout1Keys;
    std::vector<std::wstring> Layout2Keys;
    int Layout1KeyCount = 0;  // positions the conversion compares
    int Layout2KeyCount = 0;
    KeyIndex Layout1Index;
    KeyIndex Layout2Index;

    // Replaces one slot's list (1 for the first layout, any other value for the
    // second), its count and its index.
    void SetKeys(int slot, std::vector<std::wstring> keys);

    // False while the counts disagree with the lists (between a load and the count
    // check): positions up to Layout1KeyCount would then run past a list.
    bool PositionsExistInBothLists() const;
};
