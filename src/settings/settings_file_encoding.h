#pragma once

#include <optional>
#include <string>

// The system's profile functions keep Unicode text only in a file that is UTF-16 with a
// byte order mark; any other file they read and write in the ANSI code page, where
// letters outside it become question marks. The settings file is therefore kept in
// UTF-16LE.

// What the settings file must hold before the profile functions use it, or nothing when
// it can stay as it is. A missing file (nothing) becomes a bare UTF-16LE byte order
// mark; UTF-16 (either byte order, with its mark) stays. Any other file is read as UTF-8
// (after its byte order mark, if any) when its bytes are valid UTF-8, as a hand edit in
// Notepad saves it, otherwise in the ANSI code page, and becomes the same text in
// UTF-16LE with the mark.
std::optional<std::string> Utf16SettingsFile(const std::optional<std::string>& fileBytes);
