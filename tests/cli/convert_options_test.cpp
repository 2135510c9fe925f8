#include <gtest/gtest.h>

#include "cli/convert_options.h"
#include "base/text_encoding.h"

namespace {

using Arguments = std::vector<std::wstring>;

struct AcceptedCase {
    const char* label;
    Arguments arguments;
    int mode;
    std::wstring layoutsFile;
    std::wstring layout1Name;
    std::wstring layout2Name;
    std::wstring inputFile;
};

const std::wstring kEnglish = L"English (101 Keys)";
const std::wstring kArabic = L"Arabic (101 Keys)";

std::string Narrow(const std::wstring& text) {
    return Utf16ToUtf8(text);
}

TEST(ConvertOptions, AcceptedArguments) {
    const AcceptedCase cases[] = {
        {"defaults", {L"--mode", L"0"}, 0, L"", kEnglish, kArabic, L""},
        {"name toggle", {L"--mode", L"toggle"}, 0, L"", kEnglish, kArabic, L""},
        {"name to1", {L"--mode", L"to1"}, 1, L"", kEnglish, kArabic, L""},
        {"name to2", {L"--mode", L"to2"}, 2, L"", kEnglish, kArabic, L""},
        {"name upper", {L"--mode", L"upper"}, 3, L"", kEnglish, kArabic, L""},
        {"name lower", {L"--mode", L"lower"}, 4, L"", kEnglish, kArabic, L""},
        {"name proper", {L"--mode", L"proper"}, 5, L"", kEnglish, kArabic, L""},
        {"name togglecase", {L"--mode", L"togglecase"}, 8, L"", kEnglish, kArabic, L""},
        {"number 8", {L"--mode", L"8"}, 8, L"", kEnglish, kArabic, L""},
        {"inline value", {L"--mode=5"}, 5, L"", kEnglish, kArabic, L""},
        {"file before options", {L"in.txt", L"--mode", L"1"}, 1, L"", kEnglish, kArabic, L"in.txt"},
        {"dash is standard input", {L"--mode", L"2", L"-"}, 2, L"", kEnglish, kArabic, L""},
        {"double dash ends options",
         {L"--mode", L"2", L"--", L"--odd name"},
         2,
         L"",
         kEnglish,
         kArabic,
         L"--odd name"},
        {"all options",
         {L"--layouts", L"my.txt", L"--layout1", L"Latin", L"--layout2", L"عربي", L"--mode", L"2",
          L"doc.txt"},
         2,
         L"my.txt",
         L"Latin",
         L"عربي",
         L"doc.txt"},
        {"empty layout name is a name",
         {L"--mode", L"0", L"--layout2="},
         0,
         L"",
         kEnglish,
         L"",
         L""},
        {"value that starts with one dash",
         {L"--layout1", L"-x-", L"--mode", L"0"},
         0,
         L"",
         L"-x-",
         kArabic,
         L""},
    };
    for (const AcceptedCase& c : cases) {
        SCOPED_TRACE(c.label);
        const ConvertArguments parsed = ParseConvertArguments(c.arguments);
        ASSERT_TRUE(parsed.options.has_value()) << Narrow(parsed.error);
        const ConvertOptions& options = *parsed.options;
        EXPECT_FALSE(options.showHelp);
        EXPECT_EQ(options.mode, c.mode);
        EXPECT_EQ(options.layoutsFile, c.layoutsFile);
        EXPECT_EQ(options.layout1Name, c.layout1Name);
        EXPECT_EQ(options.layout2Name, c.layout2Name);
        EXPECT_EQ(options.inputFile, c.inputFile);
    }
}

struct RefusedCase {
    Arguments arguments;
    std::wstring errorStart;
};

TEST(ConvertOptions, RefusedArguments) {
    const RefusedCase cases[] = {
        {{}, L"--mode is required"},
        {{L"in.txt"}, L"--mode is required"},
        {{L"--mode"}, L"missing value for --mode"},
        {{L"--mode", L"--layouts", L"x.txt"}, L"missing value for --mode"},
        {{L"--mode", L"0", L"--layouts"}, L"missing value for --layouts"},
        {{L"--mode", L"0", L"--layouts="}, L"missing value for --layouts"},
        {{L"--mode", L"0", L"--layout1"}, L"missing value for --layout1"},
        {{L"--mode", L"0", L"--layout2"}, L"missing value for --layout2"},
        {{L"--mode", L"6"}, L"unknown mode: \"6\""},
        {{L"--mode", L"7"}, L"unknown mode: \"7\""},
        {{L"--mode", L"9"}, L"unknown mode: \"9\""},
        {{L"--mode", L"-1"}, L"unknown mode: \"-1\""},
        {{L"--mode", L"10"}, L"unknown mode: \"10\""},
        {{L"--mode", L"2x"}, L"unknown mode: \"2x\""},
        {{L"--mode", L" 2"}, L"unknown mode: \" 2\""},
        {{L"--mode", L""}, L"unknown mode: \"\""},
        {{L"--mode", L"Upper"}, L"unknown mode: \"Upper\""},
        {{L"--mode", L"ToggleLayouts"}, L"unknown mode: \"ToggleLayouts\""},
        {{L"--mode", L"٢"}, L"unknown mode: \"٢\""},  // an Arabic-Indic digit
        {{L"--mode", L"0", L"--mode", L"1"}, L"--mode given more than once"},
        {{L"--mode", L"0", L"--layout1", L"A", L"--layout1=B"}, L"--layout1 given more than once"},
        {{L"--mode", L"0", L"--verbose"}, L"unknown option: --verbose"},
        {{L"--mode", L"0", L"-m"}, L"unknown option: -m"},
        {{L"--modes", L"0"}, L"unknown option: --modes"},
        {{L"--help=yes", L"--mode", L"0"}, L"unknown option: --help=yes"},
        {{L"--mode", L"0", L"a.txt", L"b.txt"},
         L"more than one input file: \"a.txt\" and \"b.txt\""},
        {{L"--mode", L"0", L"-", L"b.txt"}, L"more than one input file"},
        {{L"--mode", L"0", L"--", L"a.txt", L"b.txt"}, L"more than one input file"},
    };
    for (const RefusedCase& c : cases) {
        std::wstring joined;
        for (const std::wstring& argument : c.arguments) {
            joined += L"[" + argument + L"] ";
        }
        SCOPED_TRACE(Narrow(joined));
        const ConvertArguments parsed = ParseConvertArguments(c.arguments);
        EXPECT_FALSE(parsed.options.has_value());
        EXPECT_TRUE(parsed.error.starts_with(c.errorStart)) << Narrow(parsed.error);
    }
}

TEST(ConvertOptions, HelpWinsOverEverythingBeforeDoubleDash) {
    const Arguments asksForHelp[] = {
        {L"--help"},
        {L"-h"},
        {L"--mode", L"0", L"--help"},
        {L"--bogus", L"--help"},
        {L"--mode", L"99", L"a.txt", L"b.txt", L"-h"},
    };
    for (const Arguments& arguments : asksForHelp) {
        const ConvertArguments parsed = ParseConvertArguments(arguments);
        ASSERT_TRUE(parsed.options.has_value());
        EXPECT_TRUE(parsed.options->showHelp);
    }
    // After "--" it is a file name like any other.
    const ConvertArguments file = ParseConvertArguments({L"--mode", L"0", L"--", L"--help"});
    ASSERT_TRUE(file.options.has_value());
    EXPECT_FALSE(file.options->showHelp);
    EXPECT_EQ(file.options->inputFile, L"--help");
}

TEST(ConvertOptions, UsageNamesEveryModeAndOption) {
    const std::wstring usage = ConvertUsageText();
    for (const wchar_t* word :
         {L"toggle", L"to1", L"to2", L"upper", L"lower", L"proper", L"togglecase", L"--layouts",
          L"--layout1", L"--layout2", L"--help"}) {
        EXPECT_NE(usage.find(word), std::wstring::npos) << Narrow(word);
    }
}

}  // namespace
