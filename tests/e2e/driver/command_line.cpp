#include "command_line.h"

#include <algorithm>

std::optional<std::wstring> CommandArguments::Option(const std::wstring& name) const {
    const auto found = options.find(name);
    if (found == options.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool CommandArguments::HasSwitch(const std::wstring& name) const {
    return std::find(switches.begin(), switches.end(), name) != switches.end();
}

std::optional<CommandArguments> ParseCommandArguments(
    const std::vector<std::wstring>& words, const std::vector<std::wstring>& knownSwitches) {
    CommandArguments arguments;
    size_t index = 0;
    while (index < words.size() && words[index].starts_with(L"--")) {
        const std::wstring& word = words[index];
        if (word == L"--") {
            ++index;
            break;
        }
        const std::wstring name = word.substr(2);
        if (std::find(knownSwitches.begin(), knownSwitches.end(), name) != knownSwitches.end()) {
            arguments.switches.push_back(name);
            ++index;
            continue;
        }
        if (index + 1 >= words.size()) {
            return std::nullopt;
        }
        arguments.options[name] = words[index + 1];
        index += 2;
    }
    arguments.positional.assign(words.begin() + static_cast<std::ptrdiff_t>(index), words.end());
    return arguments;
}

std::optional<unsigned long> ParseMilliseconds(const std::wstring& text) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    unsigned long value = 0;
    for (const wchar_t digit : text) {
        if (digit < L'0' || digit > L'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned long>(digit - L'0');
    }
    return value;
}
