#pragma once

#include <optional>
#include <string>
#include <string_view>

// Whole-file access by a UTF-16 path. Paths use "\" as separator on every platform;
// the POSIX implementation reads it as "/" so the same path code runs in both builds.

// True when the file's length can be obtained; any failure gives false.
bool FileExists(const std::wstring& path);

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::wstring& path);

// Replaces the file's contents with the bytes, creating the file when it does not
// exist. False when the file cannot be created or written; the folder must exist.
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);

// The running executable's full path.
std::wstring ExecutablePath();
