#pragma once

#include <string>
#include <utility>
#include <vector>

// Everything read from layouts.txt for the two active layouts.
struct LayoutTable {
    std::vector<std::wstring> LayoutNames;  // header lines with brackets; first is number 1
    int LayoutNameCount = 0;
    std::wstring Layout1Name;
    std::wstring Layout2Name;
    // Each layout's language tag ("en", "ar", ...) from the "<!-- language: xx -->" line in
    // its section; empty when the section names none.
    std::wstring Layout1Language;
    std::wstring Layout2Language;
    std::vector<std::wstring> Layout1Keys;
    std::vector<std::wstring> Layout2Keys;
    int Layout1KeyCount = 0;  // positions the conversion compares
    int Layout2KeyCount = 0;

    // Replaces one slot's list (1 for the first layout, any other value for the
    // second) and its count.
    void SetKeys(int slot, std::vector<std::wstring> keys) {
        std::vector<std::wstring>& list = slot == 1 ? Layout1Keys : Layout2Keys;
        list = std::move(keys);
        (slot == 1 ? Layout1KeyCount : Layout2KeyCount) = static_cast<int>(list.size());
    }
};
