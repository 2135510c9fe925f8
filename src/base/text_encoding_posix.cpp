#include <array>

#include "base/text_encoding.h"

namespace {

// Windows-1252 for 0x80..0x9F; the rest of the upper half is Latin-1. Undefined
// bytes map to the C1 control of the same value, as Windows does.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

std::wstring AnsiToUtf16(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        const bool inC1Block = value >= 0x80 && value < 0xA0;
        text.push_back(static_cast<wchar_t>(inC1Block ? kWindows1252High[value - 0x80] : value));
    }
    return text;
}
