#include <cstdio>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "cli/convert_main.h"

// Arguments arrive as bytes; this system's convention is UTF-8.
int main(int argc, char** argv) {
    std::vector<std::wstring> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(Utf8ToUtf16(argv[i]));
    }
    return RunConverter(arguments, ConsoleStreams{stdin, stdout, stderr});
}
