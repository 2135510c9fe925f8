#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// The words after the command name: "--name value" options, "--name" switches (only
// those the command declares) and positional arguments, in that order.
struct CommandArguments {
    std::map<std::wstring, std::wstring> options;
    std::vector<std::wstring> switches;
    std::vector<std::wstring> positional;

    std::optional<std::wstring> Option(const std::wstring& name) const;
    bool HasSwitch(const std::wstring& name) const;
};

// Nothing when a word starting with "--" is neither a known switch nor followed by a
// value.
std::optional<CommandArguments> ParseCommandArguments(
    const std::vector<std::wstring>& words, const std::vector<std::wstring>& knownSwitches);

// A whole decimal number of milliseconds, or nothing.
std::optional<unsigned long> ParseMilliseconds(const std::wstring& text);
