#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/layout_table.h"

// The command-line converter, independent of how the platform hands over its arguments
// and of how it prepares the streams (binary mode on Windows).

struct ConsoleStreams {
    std::FILE* input;
    std::FILE* output;
    std::FILE* errors;
};

inline constexpr int kConvertSucceeded = 0;
inline constexpr int kConvertOutputFailed = 1;
inline constexpr int kConvertRefused = 2;  // bad arguments, unreadable files, bad input

// Runs the converter on the arguments after the program name; returns the exit code.
int RunConverter(const std::vector<std::wstring>& arguments, const ConsoleStreams& streams);

// Converts a whole UTF-8 document with one mode; the layout toggle picks its direction
// from the whole text, kMistypedWordsMode judges each word. A leading byte-order mark takes no part
// and is kept in front. Nothing when the bytes are not valid UTF-8: guessing would silently alter
// the document.
std::optional<std::string> ConvertUtf8Document(const LayoutTable& table, std::string_view bytes,
                                               int mode);
