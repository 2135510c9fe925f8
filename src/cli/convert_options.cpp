#include "cli/convert_options.h"

#include <algorithm>
#include <array>

namespace {

struct ModeName {
    std::wstring_view name;
    int mode;
};

constexpr std::array kModeNames = {
    ModeName{L"toggle", 0},     ModeName{L"to1", 1},
    ModeName{L"to2", 2},        ModeName{L"upper", 3},
    ModeName{L"lower", 4},      ModeName{L"proper", 5},
    ModeName{L"togglecase", 8}, ModeName{L"smart", kMistypedWordsMode},
};

bool IsHelpOption(std::wstring_view argument) {
    return argument == L"--help" || argument == L"-h";
}

bool LooksLikeOption(std::wstring_view argument) {
    return argument.size() > 1 && argument.front() == L'-';
}

bool HelpRequested(const std::vector<std::wstring>& arguments) {
    for (const std::wstring& argument : arguments) {
        if (argument == L"--") {
            return false;
        }
        if (IsHelpOption(argument)) {
            return true;
        }
    }
    return false;
}

// Walks the arguments once; every method that fails leaves the reason in error_.
class ArgumentReader {
  public:
    explicit ArgumentReader(const std::vector<std::wstring>& arguments) : arguments_(arguments) {}

    ConvertArguments Read() {
        bool onlyFilesFollow = false;
        while (error_.empty() && next_ < arguments_.size()) {
            const std::wstring& argument = arguments_[next_++];
            if (onlyFilesFollow || !LooksLikeOption(argument)) {
                TakeInputFile(argument);
            } else if (argument == L"--") {
                onlyFilesFollow = true;
            } else {
                TakeOption(argument);
            }
        }
        if (error_.empty() && !modeGiven_) {
            error_ = L"--mode is required";
        }
        if (!error_.empty()) {
            return {std::nullopt, error_};
        }
        return {options_, {}};
    }

  private:
    void TakeOption(const std::wstring& argument) {
        const size_t equals = argument.find(L'=');
        const std::wstring name = argument.substr(0, equals);
        std::optional<std::wstring> value;
        if (equals != std::wstring::npos) {
            value = argument.substr(equals + 1);
        }
        if (name == L"--mode") {
            TakeMode(name, value);
        } else if (name == L"--layouts") {
            TakeValue(name, value, layoutsGiven_, options_.layoutsFile);
            if (error_.empty() && options_.layoutsFile.empty()) {
                error_ = L"missing value for --layouts";
            }
        } else if (name == L"--layout1") {
            TakeValue(name, value, layout1Given_, options_.layout1Name);
        } else if (name == L"--layout2") {
            TakeValue(name, value, layout2Given_, options_.layout2Name);
        } else {
            error_ = L"unknown option: " + argument;
        }
    }

    void TakeMode(const std::wstring& name, const std::optional<std::wstring>& inlineValue) {
        std::wstring text;
        TakeValue(name, inlineValue, modeGiven_, text);
        if (!error_.empty()) {
            return;
        }
        const std::optional<int> mode = ParseConversionMode(text);
        if (!mode) {
            error_ = L"unknown mode: \"" + text +
                     L"\" (use 0, 1, 2, 3, 4, 5, 8, 9 or toggle, to1, to2, upper, lower, "
                     L"proper, togglecase, smart)";
            return;
        }
        options_.mode = *mode;
    }

    // The value is the rest after "=", or else the next argument unless that is another
    // option: "--layouts --mode 2" is a forgotten value, not a file called "--mode".
    void TakeValue(const std::wstring& name, const std::optional<std::wstring>& inlineValue,
                   bool& given, std::wstring& target) {
        if (given) {
            error_ = name + L" given more than once";
            return;
        }
        given = true;
        if (inlineValue) {
            target = *inlineValue;
            return;
        }
        if (next_ >= arguments_.size() || arguments_[next_].starts_with(L"--")) {
            error_ = L"missing value for " + name;
            return;
        }
        target = arguments_[next_++];
    }

    void TakeInputFile(const std::wstring& argument) {
        if (inputGiven_) {
            error_ =
                L"more than one input file: \"" + inputArgument_ + L"\" and \"" + argument + L"\"";
            return;
        }
        inputGiven_ = true;
        inputArgument_ = argument;
        options_.inputFile = argument == L"-" ? std::wstring() : argument;
    }

    const std::vector<std::wstring>& arguments_;
    size_t next_ = 0;
    ConvertOptions options_;
    std::wstring error_;
    std::wstring inputArgument_;
    bool modeGiven_ = false;
    bool layoutsGiven_ = false;
    bool layout1Given_ = false;
    bool layout2Given_ = false;
    bool inputGiven_ = false;
};

}  // namespace

std::optional<int> ParseConversionMode(std::wstring_view text) {
    const auto named = std::find_if(kModeNames.begin(), kModeNames.end(),
                                    [&](const ModeName& entry) { return entry.name == text; });
    if (named != kModeNames.end()) {
        return named->mode;
    }
    const bool isDigit = text.size() == 1 && text[0] >= L'0' && text[0] <= L'9';
    if (!isDigit) {
        return std::nullopt;
    }
    const int number = text[0] - L'0';
    const bool inTable = std::any_of(kModeNames.begin(), kModeNames.end(),
                                     [&](const ModeName& entry) { return entry.mode == number; });
    return inTable ? std::optional<int>(number) : std::nullopt;
}

ConvertArguments ParseConvertArguments(const std::vector<std::wstring>& arguments) {
    if (HelpRequested(arguments)) {
        ConvertOptions help;
        help.showHelp = true;
        return {help, {}};
    }
    return ArgumentReader(arguments).Read();
}

std::wstring ConvertUsageText() {
    return L"Usage: zenvoral-convert --mode MODE [--layouts FILE] [--layout1 NAME] "
           L"[--layout2 NAME] [FILE]\n"
           L"\n"
           L"Retypes text written on the wrong keyboard layout, or changes its letter case.\n"
           L"Reads FILE (or standard input when FILE is missing or \"-\") as UTF-8 and writes\n"
           L"the result as UTF-8 to standard output; line ends are kept as they are.\n"
           L"\n"
           L"MODE, as a number or a name:\n"
           L"  0 toggle      between the layouts, direction picked from the text\n"
           L"  1 to1         from the second layout to the first\n"
           L"  2 to2         from the first layout to the second\n"
           L"  3 upper       upper case\n"
           L"  4 lower       lower case\n"
           L"  5 proper      first letter of each word upper case\n"
           L"  8 togglecase  next step of lower -> Capitalised -> UPPER\n"
           L"  9 smart       only the words typed on the wrong layout, word by word, judged\n"
           L"                by the languages of the two layouts (plain toggle for a layout\n"
           L"                whose language has no model)\n"
           L"\n"
           L"Options:\n"
           L"  --layouts FILE  layout definitions (default: layouts.txt beside the program)\n"
           L"  --layout1 NAME  first layout (default: English (101 Keys))\n"
           L"  --layout2 NAME  second layout (default: Arabic (101 Keys))\n"
           L"  --help          show this text\n"
           L"\n"
           L"Exit status: 0 on success, 2 on bad arguments or an unreadable file,\n"
           L"1 when the result could not be written.\n";
}
