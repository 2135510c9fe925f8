#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
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

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number grammars are pure ASCII; anything else means "not a number".
std::optional<std::string> ToAscii(std::wstring_view text) {
    std::string ascii;
    ascii.reserve(text.size());
    for (const wchar_t c : text) {
        if (c <= 0 || c > 0x7F) {
            return std::nullopt;
        }
        ascii.push_back(static_cast<char>(c));
    }
    return ascii;
}

// from_chars takes no "+" and accepts "inf" and "nan", which are no numbers to a
// user editing the settings file; the sign is therefore handled here.
std::optional<double> ParseDecimal(std::wstring_view text) {
    const std::optional<std::string> ascii = ToAscii(TrimSurroundingBlanks(text));
    if (!ascii || ascii->empty()) {
        return std::nullopt;
    }
    std::string_view body = *ascii;
    bool negative = false;
    if (body.front() == '+' || body.front() == '-') {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    if (body.empty() || !(IsDigit(body.front()) || body.front() == '.')) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (error != std::errc() || end != body.data() + body.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
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

std::wstring FormatSingle(float value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) {
        return L"0";
    }
    return std::wstring(buffer, end);
}
