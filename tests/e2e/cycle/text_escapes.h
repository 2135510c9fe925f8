#pragma once

#include <optional>
#include <string>
#include <string_view>

// Texts pass the command line and the scripts' comparisons as one line: a line end
// inside them is written "\r" and "\n", a tab "\t", and a backslash itself "\\".

// Nothing for a backslash followed by anything else, or standing last.
std::optional<std::wstring> UnescapeText(std::wstring_view text);

std::wstring EscapeText(std::wstring_view text);
