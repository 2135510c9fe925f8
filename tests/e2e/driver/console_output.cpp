#include "console_output.h"

#include <windows.h>

#include <string>

#include "base/text_encoding.h"

namespace {

void WriteUtf8(DWORD standardHandle, std::wstring_view text) {
    const HANDLE handle = GetStdHandle(standardHandle);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string bytes = Utf16ToUtf8(text);
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD wanted = static_cast<DWORD>(bytes.size() - done);
        if (!WriteFile(handle, bytes.data() + done, wanted, &written, nullptr) || written == 0) {
            return;  // a closed output is the caller's business, not a reason to hang
        }
        done += written;
    }
}

}  // namespace

void WriteOutput(std::wstring_view text) {
    WriteUtf8(STD_OUTPUT_HANDLE, text);
}

void WriteError(std::wstring_view text) {
    WriteUtf8(STD_ERROR_HANDLE, text);
}
