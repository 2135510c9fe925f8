#include "console_text.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "base/text_encoding.h"

namespace {

void Print(std::FILE* stream, std::wstring_view text) {
    // Binary mode: the C library would otherwise turn every LF into CR LF.
    _setmode(_fileno(stream), _O_BINARY);
    const std::string bytes = Utf16ToUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

}  // namespace

void PrintOutput(std::wstring_view text) {
    Print(stdout, text);
}

void PrintError(std::wstring_view text) {
    Print(stderr, text);
}
