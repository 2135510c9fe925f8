#pragma once

#include <string_view>

// Writes UTF-16 text as UTF-8, byte for byte (no line-end translation), so scripts
// compare Arabic and control characters exactly.
void PrintOutput(std::wstring_view text);
void PrintError(std::wstring_view text);
