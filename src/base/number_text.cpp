#include "base/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

// The standard library's locale-free conversions (to_chars, from_chars) are exact for
// every double but bring some 200 KB of tables into the program, for a delay and window
// places. Here decimal digits go through long double where double would not hold them:
// its 64-bit significand holds every 19-digit significand exactly.

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

std::wstring_view TrimSurroundingBlanks(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

long double ScaleByPowerOfTen(long double value, int exponent) {
    long double power = 1;
    long double square = 10;
    for (unsigned rest = exponent < 0 ? -exponent : exponent; rest != 0; rest /= 2) {
        if (rest % 2 != 0) {
            power *= square;
        }
        square *= square;
    }
    return exponent < 0 ? value / power : value * power;
}

// One rounding where double holds both the significand and the power of ten exactly
// (all the numbers people write in a settings file); through long double otherwise.
double DecimalToDouble(uint64_t significand, int64_t exponent) {
    if (significand == 0) {
        return 0;
    }
    const int bounded = static_cast<int>(std::clamp<int64_t>(exponent, -100000, 100000));
    if (significand < (uint64_t{1} << 53) && bounded >= -22 && bounded <= 22) {
        const auto power =
            static_cast<double>(ScaleByPowerOfTen(1, bounded < 0 ? -bounded : bounded));
        const auto exact = static_cast<double>(significand);
        return bounded < 0 ? exact / power : exact * power;
    }
    return static_cast<double>(ScaleByPowerOfTen(static_cast<long double>(significand), bounded));
}

// significand * 10^exponent, with digits beyond 64 bits dropped: the result becomes a
// double, which holds fewer digits anyway.
struct DecimalNumber {
    uint64_t significand = 0;
    int64_t exponent = 0;
    int digits = 0;

    void Add(wchar_t digit, bool inFraction) {
        ++digits;
        if (significand <= (std::numeric_limits<uint64_t>::max() - 9) / 10) {
            significand = significand * 10 + static_cast<unsigned>(digit - L'0');
            exponent -= inFraction ? 1 : 0;
        } else if (!inFraction) {
            ++exponent;
        }
    }
};

// Sign, digits, optional "." and fraction, optional exponent: what a user editing the
// settings file would write, and nothing else ("inf", "nan", hexadecimal, ",").
std::optional<double> ParseDecimal(std::wstring_view text) {
    text = TrimSurroundingBlanks(text);
    const bool negative = !text.empty() && text.front() == L'-';
    if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
        text.remove_prefix(1);
    }
    DecimalNumber number;
    size_t pos = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        number.Add(text[pos], false);
    }
    if (pos < text.size() && text[pos] == L'.') {
        for (++pos; pos < text.size() && IsDigit(text[pos]); ++pos) {
            number.Add(text[pos], true);
        }
    }
    if (number.digits == 0) {
        return std::nullopt;
    }
    if (pos < text.size() && (text[pos] == L'e' || text[pos] == L'E')) {
        ++pos;
        const bool negativeExponent = pos < text.size() && text[pos] == L'-';
        if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
            ++pos;
        }
        if (pos == text.size() || !IsDigit(text[pos])) {
            return std::nullopt;
        }
        int64_t written = 0;
        for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
            written = std::min<int64_t>(written * 10 + (text[pos] - L'0'), 100000);
        }
        number.exponent += negativeExponent ? -written : written;
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    const double value = DecimalToDouble(number.significand, number.exponent);
    // Beyond the double range either way is no number a user meant.
    if (!std::isfinite(value) || (value == 0 && number.significand != 0)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

// A positive value's decimal digits (no trailing zeros) and the power of ten of the
// first one: 0.06 gives "6" and -2.
struct ShortestDigits {
    uint64_t digits = 0;
    int firstDigitExponent = 0;
};

int PowerOfTenBelow(float value) {
    auto exponent = static_cast<int>(std::floor(std::log10(value)));
    // log10 may land one off next to a power of ten.
    if (ScaleByPowerOfTen(1, exponent) > value) {
        --exponent;
    } else if (ScaleByPowerOfTen(1, exponent + 1) <= value) {
        ++exponent;
    }
    return exponent;
}

bool ReadsBackAs(uint64_t digits, int exponent, float value) {
    return static_cast<float>(DecimalToDouble(digits, exponent)) == value;
}

// Tries 1 to 9 significant digits (9 always suffice for a float): the nearest decimal of
// that many digits first, then its neighbours, one of which can read back where the
// nearest does not, next to a power of two.
ShortestDigits FindShortestDigits(float value) {
    const int firstExponent = PowerOfTenBelow(value);
    uint64_t lowest = 1;
    for (int precision = 1;; ++precision, lowest *= 10) {
        const int exponent = firstExponent - (precision - 1);
        const auto nearest =
            static_cast<uint64_t>(std::nearbyint(ScaleByPowerOfTen(value, -exponent)));
        for (const uint64_t candidate : {nearest, nearest - 1, nearest + 1}) {
            if (candidate >= lowest &&
                (precision == 9 || ReadsBackAs(candidate, exponent, value))) {
                ShortestDigits shortest{candidate, firstExponent};
                if (candidate >= lowest * 10) {  // rounded up to the next power of ten
                    shortest = {candidate / 10, firstExponent + 1};
                }
                while (shortest.digits % 10 == 0) {
                    shortest.digits /= 10;
                }
                return shortest;
            }
        }
    }
}

// std::to_wstring would bring in the printf machinery.
std::wstring DecimalText(uint64_t number) {
    std::wstring text;
    do {
        text.insert(text.begin(), static_cast<wchar_t>(L'0' + number % 10));
        number /= 10;
    } while (number != 0);
    return text;
}

std::wstring Scientific(const std::wstring& digits, int exponent) {
    std::wstring text = digits.substr(0, 1);
    if (digits.size() > 1) {
        text += L"." + digits.substr(1);
    }
    text += exponent < 0 ? L"e-" : L"e+";
    const std::wstring written =
        DecimalText(static_cast<uint64_t>(exponent < 0 ? -exponent : exponent));
    return text + (written.size() < 2 ? L"0" : L"") + written;
}

// A whole number is written with all its digits, exact: 253573776, not 253573780.
std::wstring Fixed(const std::wstring& digits, int exponent, float value) {
    if (exponent < 0) {
        return L"0." + std::wstring(static_cast<size_t>(-exponent - 1), L'0') + digits;
    }
    const auto integerDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
        return DecimalText(static_cast<uint64_t>(value));
    }
    return digits.substr(0, integerDigits) + L"." + digits.substr(integerDigits);
}

}  // namespace

std::optional<int32_t> RoundToInt32(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // nearbyint follows the default rounding mode, round-to-nearest-even.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

std::optional<int32_t> ParseWholeNumber(std::wstring_view text) {
    const std::optional<double> value = ParseDecimal(text);
    if (!value) {
        return std::nullopt;
    }
    return RoundToInt32(*value);
}

std::optional<float> ParseSingle(std::wstring_view text) {
    const std::optional<double> value = ParseDecimal(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(*value);
}

double LeadingNumber(std::wstring_view text) {
    size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    const size_t start = pos;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        ++pos;
    }
    size_t digits = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        ++digits;
    }
    if (pos < text.size() && text[pos] == L'.') {
        ++pos;
        for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    return ParseDecimal(text.substr(start, pos - start)).value_or(0);
}

// Fixed or scientific notation, whichever is shorter (fixed on a tie), as C++'s
// to_chars writes it.
std::wstring FormatSingle(float value) {
    const std::wstring sign = std::signbit(value) ? L"-" : L"";
    if (std::isnan(value)) {
        return sign + L"nan";
    }
    value = std::fabs(value);
    if (std::isinf(value)) {
        return sign + L"inf";
    }
    if (value == 0) {
        return sign + L"0";
    }
    const ShortestDigits shortest = FindShortestDigits(value);
    const std::wstring digits = DecimalText(shortest.digits);
    const int exponent = shortest.firstDigitExponent;
    const std::wstring scientific = Scientific(digits, exponent);
    // From 10^14 on the fixed form (15 digits or more) is never the shorter one.
    if (exponent < 14) {
        const std::wstring fixed = Fixed(digits, exponent, value);
        if (fixed.size() <= scientific.size()) {
            return sign + fixed;
        }
    }
    return sign + scientific;
}
