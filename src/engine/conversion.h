#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/layout_table.h"

// What a conversion request asks for. Any other value leaves the text unchanged.
enum ConversionMode : int {
    ToggleLayouts = 0,  // layout conversion, direction picked from the text
    ToLayout1 = 1,      // from the second layout to the first
    ToLayout2 = 2,      // from the first layout to the second
    UpperCase = 3,
    LowerCase = 4,
    ProperCase = 5,
    ToggleCase = 8,  // replaced by DecideCaseMode's choice
};

// The partner of a one- or two-unit token: direction 1 looks the token up in the
// second layout and answers from the first, direction 2 the other way round. Only
// positions below Layout1KeyCount count; the lowest wins. Empty when there is none.
std::wstring LookupKeyEntry(const LayoutTable& table, std::wstring_view token, int direction);

// Maps text key by key, greedily preferring two-unit entries; unknown units pass
// through. With autoDirection the direction comes from DecideDirection instead of mode.
// While Layout1KeyCount exceeds a list (a table between loading and its count check)
// the text comes back unchanged.
std::wstring ConvertLayout(const LayoutTable& table, std::wstring_view text, int mode,
                           bool autoDirection);

// 1 (back to the first layout) when non-ASCII units outnumber ASCII ones, else 2.
int DecideDirection(std::wstring_view text);

// The next step of the case cycle (UpperCase, LowerCase or ProperCase) judged from the
// first and last ASCII letters; nothing for a text that is blank.
std::optional<int> DecideCaseMode(std::wstring_view text);

// Applies a mode as the convert-selection cycle does: ToggleCase is first resolved
// by DecideCaseMode, then the text is converted.
std::wstring ApplyConversionMode(const LayoutTable& table, std::wstring_view text, int mode,
                                 bool autoDirection);
