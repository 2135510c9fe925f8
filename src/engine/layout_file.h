#pragma once

#include <string>
#include <string_view>
#include <vector>

// The grammar of layouts.txt, as pure functions from text to plain values.

// Bytes of the file to UTF-16: UTF-8 when the bytes are valid UTF-8 (a leading
// byte-order mark is skipped), otherwise the system's ANSI code page, so files saved
// the old way still load.
std::wstring DecodeLayoutFileBytes(std::string_view bytes);

// Lines end at CR LF, a lone CR or a lone LF; the last line needs no line end.
std::vector<std::wstring> SplitLines(std::wstring_view text);

// Removes leading and trailing blanks (U+0020 only; tabs are ordinary characters).
std::wstring_view TrimBlanks(std::wstring_view text);

// Both take a trimmed line.
bool IsSectionHeader(std::wstring_view line);
bool IsCommentLine(std::wstring_view line);

// Every header line, trimmed, brackets included, in file order, duplicates included.
std::vector<std::wstring> ParseLayoutNames(const std::vector<std::wstring>& lines);

// The key entries of the first section headed "[" + name + "]"; empty when there is none.
std::vector<std::wstring> ParseLayoutKeys(const std::vector<std::wstring>& lines,
                                          std::wstring_view name);

// Splits at every single blank, so a run of n blanks gives n - 1 empty entries. An
// empty text gives an empty list.
std::vector<std::wstring> SplitKeyEntries(std::wstring_view sectionText);

// "&" followed by the name up to its first "(" (the whole name when it has none).
std::wstring LayoutButtonCaption(std::wstring_view name);
