#include <gtest/gtest.h>

#include "base/text_encoding.h"
#include "cli/convert_options.h"

namespace {

// What the parser made of the arguments, in one line: the options that differ from the
// defaults, or the start of the error.
std::string Outcome(const std::vector<std::wstring>& arguments) {
    const ConvertArguments parsed = ParseConvertArguments(arguments);
    if (!parsed.options) {
        return Utf16ToUtf8(parsed.error.substr(0, parsed.error.find(L" (use")));
    }
    const ConvertOptions& o = *parsed.options;
    return o.showHelp
               ? "help"
               : Utf16ToUtf8(L"mode " + std::to_wstring(o.mode) + L"|" + o.layoutsFile + L"|" +
                             o.layout1Name + L"|" + o.layout2Name + L"|" + o.inputFile);
}

TEST(ConvertOptions, ReadsTheArguments) {
    const std::string defaults = "||English (101 Keys)|Arabic (101 Keys)|";
    const std::pair<std::vector<std::wstring>, std::string> cases[] = {
        {{L"--mode", L"togglecase"}, "mode 8" + defaults},
        {{L"--mode=5", L"--layouts", L"l.txt"},
         "mode 5|l.txt|English (101 Keys)|Arabic (101 Keys)|"},
        {{L"in.txt", L"--mode", L"to1"}, "mode 1" + defaults + "in.txt"},
        {{L"--mode", L"2", L"-"}, "mode 2" + defaults},  // "-" is standard input
        {{L"--mode", L"2", L"--", L"--help"}, "mode 2" + defaults + "--help"},
        {{L"--layout1=", L"--layout2", L"عربي", L"--mode", L"0"}, "mode 0|||عربي|"},
        {{L"--mode", L"9", L"a", L"b", L"-h"}, "help"},  // help wins over everything before "--"
        {{L"in.txt"}, "--mode is required"},
        {{L"--mode", L"--layouts", L"x.txt"}, "missing value for --mode"},
        {{L"--mode", L"0", L"--layouts="}, "missing value for --layouts"},
        {{L"--mode", L"7"}, "unknown mode: \"7\""},
        {{L"--mode", L" 2"}, "unknown mode: \" 2\""},
        {{L"--mode", L"٢"}, "unknown mode: \"٢\""},  // an Arabic-Indic digit
        {{L"--mode", L"0", L"--layout1", L"A", L"--layout1=B"}, "--layout1 given more than once"},
        {{L"--mode", L"0", L"-m"}, "unknown option: -m"},
        {{L"--mode", L"0", L"a.txt", L"-"}, "more than one input file: \"a.txt\" and \"-\""}};
    for (const auto& [arguments, outcome] : cases) {
        EXPECT_EQ(Outcome(arguments), outcome);
    }
}

}  // namespace
