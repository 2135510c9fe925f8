#include <cstdint>

#include "engine/case_mapping.h"

namespace {

// Blocks where upper and lower case alternate, each upper-case letter followed by its
// lower-case one; upperIsOdd tells on which parity the block's pairs start.
struct AlternatingBlock {
    uint32_t first;
    uint32_t last;
    bool upperIsOdd;
};

constexpr AlternatingBlock kAlternatingBlocks[] = {
    {0x0100, 0x012F, false}, {0x0132, 0x0137, false}, {0x0139, 0x0148, true},
    {0x014A, 0x0177, false}, {0x0179, 0x017E, true},  {0x03D8, 0x03EF, false},
    {0x0460, 0x0481, false}, {0x048A, 0x04BF, false}, {0x04C1, 0x04CE, true},
    {0x04D0, 0x052F, false}, {0x1E00, 0x1E95, false}, {0x1EA0, 0x1EFF, false},
};

// Blocks where the lower-case letters sit a fixed distance above the upper-case ones.
struct OffsetBlock {
    uint32_t upperFirst;
    uint32_t upperLast;
    uint32_t offset;
};

constexpr OffsetBlock kOffsetBlocks[] = {
    {0x0041, 0x005A, 0x20},  // Basic Latin
    {0x00C0, 0x00D6, 0x20},  // Latin-1 (0xD7 is the multiplication sign)
    {0x00D8, 0x00DE, 0x20},
    {0x0391, 0x03A1, 0x20},  // Greek (0x3A2 is unassigned; final sigma handled below)
    {0x03A3, 0x03AB, 0x20},
    {0x0388, 0x038A, 0x25},  // Greek with tonos
    {0x038E, 0x038F, 0x3F},
    {0x0410, 0x042F, 0x20},  // Cyrillic
    {0x0400, 0x040F, 0x50},
};

struct Pair {
    uint32_t upper;
    uint32_t lower;
};

constexpr Pair kSinglePairs[] = {
    {0x0178, 0x00FF},
    {0x0386, 0x03AC},
    {0x038C, 0x03CC},
    {0x04C0, 0x04CF},
};

uint32_t ToUpperUnit(uint32_t unit) {
    for (const OffsetBlock& block : kOffsetBlocks) {
        if (unit >= block.upperFirst + block.offset && unit <= block.upperLast + block.offset) {
            return unit - block.offset;
        }
    }
    for (const AlternatingBlock& block : kAlternatingBlocks) {
        if (unit >= block.first && unit <= block.last) {
            const bool isUpper = ((unit & 1) != 0) == block.upperIsOdd;
            return isUpper ? unit : unit - 1;
        }
    }
    for (const Pair& pair : kSinglePairs) {
        if (unit == pair.lower) {
            return pair.upper;
        }
    }
    if (unit == 0x03C2) {  // final sigma
        return 0x03A3;
    }
    if (unit == 0x00B5) {  // micro sign
        return 0x039C;
    }
    return unit;
}

uint32_t ToLowerUnit(uint32_t unit) {
    for (const OffsetBlock& block : kOffsetBlocks) {
        if (unit >= block.upperFirst && unit <= block.upperLast) {
            return unit + block.offset;
        }
    }
    for (const AlternatingBlock& block : kAlternatingBlocks) {
        if (unit >= block.first && unit <= block.last) {
            const bool isUpper = ((unit & 1) != 0) == block.upperIsOdd;
            return isUpper ? unit + 1 : unit;
        }
    }
    for (const Pair& pair : kSinglePairs) {
        if (unit == pair.upper) {
            return pair.lower;
        }
    }
    return unit;
}

template <typename MapUnit>
std::wstring MapEachUnit(std::wstring_view text, MapUnit map) {
    std::wstring mapped(text);
    for (wchar_t& unit : mapped) {
        const uint32_t value = static_cast<uint32_t>(unit);
        if (value <= 0xFFFF) {
            unit = static_cast<wchar_t>(map(value));
        }
    }
    return mapped;
}

}  // namespace

std::wstring ToUpperText(std::wstring_view text) {
    return MapEachUnit(text, ToUpperUnit);
}

std::wstring ToLowerText(std::wstring_view text) {
    return MapEachUnit(text, ToLowerUnit);
}
