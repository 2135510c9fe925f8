#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/convert_main.h"

namespace {

// Text mode would turn LF into CR LF and stop reading at Ctrl+Z; documents must pass
// through byte for byte.
void UseBinaryStreams() {
    for (std::FILE* stream : {stdin, stdout, stderr}) {
        // A stream that refuses (none is attached) is simply left as it is.
        static_cast<void>(_setmode(_fileno(stream), _O_BINARY));
    }
}

}  // namespace

// The wide entry point keeps Arabic layout names and file names intact; the ANSI one
// would turn them into question marks.
int wmain(int argc, wchar_t** argv) {
    UseBinaryStreams();
    std::vector<std::wstring> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    return RunConverter(arguments, ConsoleStreams{stdin, stdout, stderr});
}
