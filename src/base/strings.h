#pragma once

#include <string>
#include <string_view>

// Small text helpers shared by the folders above base.

// Removes leading and trailing blanks (U+0020 only; tabs are ordinary characters).
std::wstring_view TrimBlanks(std::wstring_view text);

// The folder of a file path, without its last separator ("\" or "/"); empty when the
// path names no folder.
std::wstring FolderOf(const std::wstring& filePath);

// The path with "\" appended, unless its last character already is "\".
std::wstring AddBackslash(std::wstring folderPath);
