#pragma once

#include <string_view>

// Writes the text as UTF-8, byte for byte: no line-end translation, so tests can compare
// a CR LF inside a window's text exactly.
void WriteOutput(std::wstring_view text);
void WriteError(std::wstring_view text);
