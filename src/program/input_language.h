#pragma once

#include <windows.h>

#include <string_view>

// Asks `window` to take the installed keyboard layout of a language ("ar", "en", as a
// layouts.txt section names it). False, with nothing asked, when that language is
// already in use there, no layout of it is installed, or the tag names no language
// known here.
bool SwitchInputLanguage(HWND window, std::wstring_view languageTag);
