#include <optional>
#include <string>
#include <vector>

#include "capture/win32_capture.h"

namespace {

HWND WindowOf(const TargetWindow& target) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(target.Identity));
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

std::wstring ImageFileName(HANDLE process) {
    wchar_t path[MAX_PATH] = L"";
    DWORD length = MAX_PATH;
    if (QueryFullProcessImageNameW(process, 0, path, &length) == FALSE) {
        return {};
    }
    const std::wstring_view full(path, length);
    return std::wstring(full.substr(full.find_last_of(L"\\/") + 1));
}

// The mandatory label's level (untrusted 0 ... system 0x4000). Nothing when the token may
// not be opened; 0 when it has no level to read, as on systems without the levels.
std::optional<DWORD> IntegrityLevel(HANDLE process) {
    HANDLE opened = nullptr;
    if (OpenProcessToken(process, TOKEN_QUERY, &opened) == FALSE) {
        return std::nullopt;
    }
    const ScopedHandle token(opened);
    DWORD size = 0;
    // The first call only asks for the size; it fails by design.
    static_cast<void>(GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size));
    std::vector<uint64_t> buffer(size / sizeof(uint64_t) + 1);  // aligned for the label
    if (size == 0 || GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size,
                                         &size) == FALSE) {
        return 0;
    }
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    return count == 0 ? 0 : *GetSidSubAuthority(sid, count - 1);
}

// Attached to another process's console while it lives. A Ctrl+C typed there meanwhile
// reaches every process attached to it: ours ignores it rather than end.
class ConsoleAttachment {
  public:
    explicit ConsoleAttachment(DWORD processId) {
        SetConsoleCtrlHandler(nullptr, TRUE);
        attached_ = AttachConsole(processId) != FALSE;
    }
    ~ConsoleAttachment() {
        if (attached_) {
            FreeConsole();
        }
        SetConsoleCtrlHandler(nullptr, FALSE);
    }
    ConsoleAttachment(const ConsoleAttachment&) = delete;
    ConsoleAttachment& operator=(const ConsoleAttachment&) = delete;

    bool Attached() const { return attached_; }

  private:
    bool attached_ = false;
};

// Wine's console offers no selection query: its stub of the function aborts the caller.
bool RunningOnWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

TargetWindow Win32ForegroundWindow::Describe() {
    TargetWindow target;
    const HWND window = GetForegroundWindow();
    if (window == nullptr) {
        return target;  // keys then go nowhere, as they always did
    }
    target.Identity = reinterpret_cast<uintptr_t>(window);
    target.ClassName = ClassNameOf(window);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const ScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        target.OutranksUs = true;  // even the least question is refused
        return target;
    }
    target.ProcessName = ImageFileName(process.get());
    const std::optional<DWORD> theirs = IntegrityLevel(process.get());
    target.OutranksUs = !theirs || *theirs > IntegrityLevel(GetCurrentProcess()).value_or(0);
    return target;
}

bool Win32ForegroundWindow::ConsoleHasSelection(const TargetWindow& window) {
    if (RunningOnWine()) {
        return false;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(WindowOf(window), &processId);
    const ConsoleAttachment console(processId);
    CONSOLE_SELECTION_INFO selection{};
    return console.Attached() && GetConsoleSelectionInfo(&selection) != FALSE &&
           (selection.dwFlags & CONSOLE_SELECTION_NOT_EMPTY) != 0;
}
