#include "cli/convert_main.h"

#include <algorithm>
#include <array>

#include "base/file_access.h"
#include "base/strings.h"
#include "base/text_encoding.h"
#include "cli/convert_options.h"
#include "engine/conversion.h"
#include "engine/layout_loader.h"
#include "engine/smart_conversion.h"

namespace {

const std::wstring kProgramName = L"zenvoral-convert";

// Reports are written as UTF-8 whatever the console expects, so they survive redirection.
void WriteText(std::FILE* stream, std::wstring_view text) {
    const std::string bytes = Utf16ToUtf8(text);
    // A report that cannot be written has nowhere else to go.
    static_cast<void>(std::fwrite(bytes.data(), 1, bytes.size(), stream));
}

void ReportError(std::FILE* errors, const std::wstring& message) {
    WriteText(errors, kProgramName + L": " + message + L"\n");
}

std::optional<std::wstring> DefaultLayoutsPath() {
    const std::wstring executable = ExecutablePath();
    if (executable.empty()) {
        return std::nullopt;
    }
    return AddBackslash(FolderOf(executable)) + kLayoutsFileName;
}

// Reads a whole file; on failure the message says whether it is missing or unreadable.
std::optional<std::string> ReadWholeFile(const std::wstring& path, const std::wstring& what,
                                         std::wstring& error) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        error = FileExists(path) ? L"cannot read the " + what + L" \"" + path + L"\""
                                 : L"no such " + what + L": \"" + path + L"\"";
    }
    return bytes;
}

std::optional<std::string> ReadStream(std::FILE* stream) {
    std::string bytes;
    std::array<char, 64 * 1024> buffer{};
    for (;;) {
        const size_t read = std::fread(buffer.data(), 1, buffer.size(), stream);
        bytes.append(buffer.data(), read);
        if (read < buffer.size()) {
            break;
        }
    }
    if (std::ferror(stream)) {
        return std::nullopt;
    }
    return bytes;
}

// The program's own loading, from one read of the file, with its warning on standard
// error. A name that heads no section would silently convert nothing (or, in the
// program, a default layout), so here it is refused instead.
std::optional<LayoutTable> LoadConverterLayouts(const ConvertOptions& options,
                                                const std::wstring& layoutsPath, std::FILE* errors,
                                                std::wstring& error) {
    const std::optional<std::string> bytes = ReadWholeFile(layoutsPath, L"layouts file", error);
    if (!bytes) {
        return std::nullopt;
    }
    LayoutLoad load = ParseLayouts(*bytes, options.layout1Name, options.layout2Name, layoutsPath);
    const std::vector<std::wstring>& names = load.Table.LayoutNames;
    for (const std::wstring* name : {&options.layout1Name, &options.layout2Name}) {
        if (std::find(names.begin(), names.end(), L"[" + *name + L"]") == names.end()) {
            error = L"no layout \"" + *name + L"\" in \"" + layoutsPath + L"\"";
            if (names.empty()) {
                error +=
                    L": no section found (the file must be UTF-8, UTF-16 with a byte "
                    L"order mark, or in the ANSI code page)";
            }
            return std::nullopt;
        }
    }
    if (load.Warning) {
        WriteText(errors, *load.Warning + L"\n");
    }
    return std::move(load.Table);
}

std::optional<std::string> ReadInput(const ConvertOptions& options, std::FILE* input,
                                     std::wstring& error) {
    if (!options.inputFile.empty()) {
        return ReadWholeFile(options.inputFile, L"input file", error);
    }
    std::optional<std::string> bytes = ReadStream(input);
    if (!bytes) {
        error = L"cannot read standard input";
    }
    return bytes;
}

bool WriteAll(std::FILE* stream, std::string_view bytes) {
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stream);
    return std::fflush(stream) == 0 && written == bytes.size() && !std::ferror(stream);
}

int ShowUsage(const ConsoleStreams& streams) {
    if (!WriteAll(streams.output, Utf16ToUtf8(ConvertUsageText()))) {
        ReportError(streams.errors, L"cannot write to standard output");
        return kConvertOutputFailed;
    }
    return kConvertSucceeded;
}

int Convert(const ConvertOptions& options, const ConsoleStreams& streams) {
    std::wstring error;
    const std::optional<std::wstring> layoutsPath =
        options.layoutsFile.empty() ? DefaultLayoutsPath() : options.layoutsFile;
    if (!layoutsPath) {
        ReportError(streams.errors,
                    L"cannot find the program's folder; name the file with "
                    L"--layouts");
        return kConvertRefused;
    }
    const std::optional<LayoutTable> table =
        LoadConverterLayouts(options, *layoutsPath, streams.errors, error);
    if (!table) {
        ReportError(streams.errors, error);
        return kConvertRefused;
    }
    const std::optional<std::string> input = ReadInput(options, streams.input, error);
    if (!input) {
        ReportError(streams.errors, error);
        return kConvertRefused;
    }
    const std::optional<std::string> output = ConvertUtf8Document(*table, *input, options.mode);
    if (!output) {
        ReportError(streams.errors, L"the input is not valid UTF-8; nothing was converted");
        return kConvertRefused;
    }
    if (!WriteAll(streams.output, *output)) {
        ReportError(streams.errors, L"cannot write the result to standard output");
        return kConvertOutputFailed;
    }
    return kConvertSucceeded;
}

}  // namespace

std::optional<std::string> ConvertUtf8Document(const LayoutTable& table, std::string_view bytes,
                                               int mode) {
    const bool hasByteOrderMark = SkipUtf8ByteOrderMark(bytes);
    if (!IsValidUtf8(bytes)) {
        return std::nullopt;
    }
    const std::wstring text = Utf8ToUtf16(bytes);
    const std::wstring converted =
        mode == kMistypedWordsMode ? ConvertMistypedWords(table, text).Text
                                   : ApplyConversionMode(table, text, mode, mode == ToggleLayouts);
    std::string result(hasByteOrderMark ? kUtf8Bom : std::string_view());
    result += Utf16ToUtf8(converted);
    return result;
}

int RunConverter(const std::vector<std::wstring>& arguments, const ConsoleStreams& streams) {
    const ConvertArguments parsed = ParseConvertArguments(arguments);
    if (!parsed.options) {
        ReportError(streams.errors, parsed.error);
        WriteText(streams.errors, L"Try \"" + kProgramName + L" --help\".\n");
        return kConvertRefused;
    }
    if (parsed.options->showHelp) {
        return ShowUsage(streams);
    }
    return Convert(*parsed.options, streams);
}
