#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Numbers in the settings file always use "." as the decimal separator, whatever the
// user's regional settings, so a settings file reads the same on every machine and a
// value written is the value read back. Nothing here consults the C or C++ locale.

// A decimal number (optional sign, digits, optional fraction and exponent) with
// optional blanks around it, rounded to the nearest integer, ties to even. Nothing
// when the text is not a number (the empty text included) or when the result does
// not fit in 32 bits.
std::optional<int32_t> ParseWholeNumber(std::wstring_view text);

// The same grammar as a single-precision number. Nothing for text that is not a
// number or is out of the single-precision range.
std::optional<float> ParseSingle(std::wstring_view text);

// The number at the start of the text after leading blanks (sign, digits, optional
// fraction), or 0 when the text does not begin with one. Never fails.
double LeadingNumber(std::wstring_view text);

// Nearest integer, ties to even; nothing when out of the 32-bit range or not finite.
std::optional<int32_t> RoundToInt32(double value);

// The shortest text that reads back as the same single-precision value: 0.06f gives
// "0.06", 1.0f gives "1".
std::wstring FormatSingle(float value);
