#pragma once

#include <string>
#include <string_view>

// Simple, locale-aware case mapping of UTF-16 text: every unit maps to exactly one
// unit, so the length never changes. Windows uses the user's locale; elsewhere an
// equivalent table covers Latin, Greek and Cyrillic and leaves everything else alone.
std::wstring ToUpperText(std::wstring_view text);
std::wstring ToLowerText(std::wstring_view text);
