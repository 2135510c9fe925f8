#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The converter's own mode beside the ConversionMode values: word by word, each word kept
// or retyped on the layout its language reads best in.
inline constexpr int kMistypedWordsMode = 9;

// What the command-line converter was asked to do.
struct ConvertOptions {
    bool showHelp = false;
    int mode = 0;              // a ConversionMode or kMistypedWordsMode
    std::wstring layoutsFile;  // empty: layouts.txt beside the executable
    std::wstring layout1Name = L"English (101 Keys)";
    std::wstring layout2Name = L"Arabic (101 Keys)";
    std::wstring inputFile;  // empty: standard input
};

// Either the options or the reason the arguments make no sense.
struct ConvertArguments {
    std::optional<ConvertOptions> options;
    std::wstring error;
};

// Reads the arguments after the program name. "--help" anywhere before "--" wins over
// everything else, so a user who asks for help gets it even with a typo elsewhere.
ConvertArguments ParseConvertArguments(const std::vector<std::wstring>& arguments);

// A mode given as its number or its name; nothing when it names no conversion.
std::optional<int> ParseConversionMode(std::wstring_view text);

std::wstring ConvertUsageText();
