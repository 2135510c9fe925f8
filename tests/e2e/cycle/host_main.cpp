// zenvoral-cycle-host COMMAND ARGUMENTS...
//
// The cycle's side of its end-to-end tests: runs one convert-selection cycle with the
// system's services against the foreground window (zenvoral-target in another
// process), and sets up, reads and holds the clipboard and the target's text in
// between. Exit code 0 when the step happened, 1 when it did not (in time), 2 for a
// wrong command line.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cwchar>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "capture/win32_capture.h"
#include "console_text.h"
#include "host_cycle.h"
#include "settings/program_settings.h"
#include "target_control.h"
#include "test_clipboard.h"
#include "text_escapes.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitNotMet = 1;
constexpr int kExitUsage = 2;

// How often the target's text is read while waiting for the result of a paste.
constexpr DWORD kTextPollIntervalMs = 5;

// A bound for the target to be (back) in the foreground before its text is set.
constexpr DWORD kTargetReadyTimeoutMs = 5000;

using Arguments = std::span<const std::wstring>;

std::optional<long> ParseWholeNumber(const std::wstring& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 10);
    if (*end != L'\0') {
        return std::nullopt;
    }
    return value;
}

std::optional<DWORD> ParseMilliseconds(const std::wstring& text) {
    const std::optional<long> value = ParseWholeNumber(text);
    if (!value || *value < 0) {
        return std::nullopt;
    }
    return static_cast<DWORD>(*value);
}

std::optional<float> ParseDelay(const std::wstring& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    wchar_t* end = nullptr;
    const float value = std::wcstof(text.c_str(), &end);
    if (*end != L'\0' || !(value >= kMinimumDelay && value <= kMaximumDelay)) {
        return std::nullopt;
    }
    return value;
}

int Done(bool happened) {
    return happened ? kExitDone : kExitNotMet;
}

int Failed(const std::wstring& what) {
    PrintError(what + L"\n");
    return kExitNotMet;
}

// A hidden top-level window, as the program's own main window is while it runs.
class HiddenWindow {
  public:
    HiddenWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"Zenvoral cycle host", WS_OVERLAPPED, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~HiddenWindow() {
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
    }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

  private:
    HWND window_;
};

struct CycleOptions {
    int32_t mode = 0;
    std::optional<float> delay;
    std::optional<std::wstring> iniFile;
    std::optional<DWORD> afterClipboardHeldMs;
};

// The mode, then options each followed by its value.
std::optional<CycleOptions> ParseCycleOptions(Arguments arguments) {
    if (arguments.size() % 2 == 0) {
        return std::nullopt;
    }
    CycleOptions options;
    const std::optional<long> mode = ParseWholeNumber(arguments[0]);
    if (!mode) {
        return std::nullopt;
    }
    options.mode = static_cast<int32_t>(*mode);
    for (size_t i = 1; i + 1 < arguments.size(); i += 2) {
        const std::wstring& name = arguments[i];
        const std::wstring& value = arguments[i + 1];
        if (name == L"--delay") {
            options.delay = ParseDelay(value);
            if (!options.delay) {
                return std::nullopt;
            }
        } else if (name == L"--ini") {
            options.iniFile = value;
        } else if (name == L"--after-clipboard-held") {
            options.afterClipboardHeldMs = ParseMilliseconds(value);
            if (!options.afterClipboardHeldMs) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    if (options.delay && options.iniFile) {
        return std::nullopt;
    }
    return options;
}

int RunCycle(Arguments arguments) {
    const std::optional<CycleOptions> options = ParseCycleOptions(arguments);
    if (!options) {
        return kExitUsage;
    }
    const std::optional<CycleRequest> request = RequestForMode(options->mode);
    if (!request) {
        return Failed(L"no caller of the program requests mode " + std::to_wstring(options->mode));
    }
    LayoutTable layouts;
    if (!LoadDefaultLayouts(ProgramFolder(), layouts)) {
        return Failed(L"the layouts could not be loaded");
    }
    HostCycleSettings settings =
        options->iniFile
            ? HostCycleSettings::FromIniFile(*options->iniFile)
            : HostCycleSettings::WithDelay(options->delay.value_or(kDefaultCycleDelay));
    const HiddenWindow window;
    Win32CaptureServices system;
    CycleState state;
    if (options->afterClipboardHeldMs) {
        // The script starts the holder once it reads this.
        PrintOutput(L"waiting for another program to open the clipboard\n");
        if (!WaitForClipboardHeld(*options->afterClipboardHeldMs)) {
            return Failed(L"no other program opened the clipboard");
        }
    }
    const auto start = std::chrono::steady_clock::now();
    if (!RunRequest(system.For(settings, layouts), state, *request)) {
        return Failed(L"the cycle did not run");
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::wstring report(64, L'\0');
    report.resize(static_cast<size_t>(std::swprintf(report.data(), report.size(),
                                                    L"cycle %.3f s, DebugValue %d\n", took.count(),
                                                    settings.DebugValue())));
    PrintOutput(report);
    return kExitDone;
}

// The keys of the next cycle go to the foreground window: a case begins only once
// the target is there. Nothing here activates it; that is the test's own step.
std::optional<TargetWindow> ReadyTarget() {
    return WaitForTargetReady(kTargetReadyTimeoutMs);
}

int RunTargetWait(Arguments arguments) {
    const std::optional<DWORD> timeout =
        arguments.size() == 1 ? ParseMilliseconds(arguments[0]) : std::nullopt;
    if (!timeout) {
        return kExitUsage;
    }
    if (!WaitForTargetReady(*timeout)) {
        return Failed(L"the target is not in the foreground with its edit focused");
    }
    return kExitDone;
}

int RunTargetSet(Arguments arguments) {
    if (arguments.size() != 3) {
        return kExitUsage;
    }
    const std::optional<std::wstring> text = UnescapeText(arguments[0]);
    const std::optional<long> from = ParseWholeNumber(arguments[1]);
    const std::optional<long> to = ParseWholeNumber(arguments[2]);
    if (!text || !from || !to) {
        return kExitUsage;
    }
    const std::optional<TargetWindow> target = ReadyTarget();
    if (!target) {
        return Failed(L"the target is not in the foreground with its edit focused");
    }
    return Done(SetTargetText(*target, *text, static_cast<int>(*from), static_cast<int>(*to)));
}

int RunTargetText(Arguments arguments) {
    if (!arguments.empty()) {
        return kExitUsage;
    }
    const std::optional<TargetWindow> target = FindTarget();
    const std::optional<std::wstring> text = target ? TargetText(*target) : std::nullopt;
    if (!text) {
        return Failed(L"the target does not answer");
    }
    PrintOutput(EscapeText(*text) + L"\n");
    return kExitDone;
}

// The paste is handled by the target after the cycle's keys: wait for its result.
int RunTargetExpect(Arguments arguments) {
    if (arguments.size() != 2) {
        return kExitUsage;
    }
    const std::optional<std::wstring> expected = UnescapeText(arguments[0]);
    const std::optional<DWORD> timeout = ParseMilliseconds(arguments[1]);
    if (!expected || !timeout) {
        return kExitUsage;
    }
    const ULONGLONG deadline = GetTickCount64() + *timeout;
    std::optional<std::wstring> text;
    for (;;) {
        const std::optional<TargetWindow> target = FindTarget();
        text = target ? TargetText(*target) : std::nullopt;
        if (text == expected) {
            return kExitDone;
        }
        if (GetTickCount64() >= deadline) {
            break;
        }
        Sleep(kTextPollIntervalMs);
    }
    return Failed(L"the target holds \"" + (text ? EscapeText(*text) : L"<no answer>") +
                  L"\", not \"" + EscapeText(*expected) + L"\"");
}

int RunClipText(Arguments arguments) {
    const std::optional<std::wstring> text =
        arguments.size() == 1 ? UnescapeText(arguments[0]) : std::nullopt;
    if (!text) {
        return kExitUsage;
    }
    return Done(PutUserText(*text));
}

int RunClipBitmap(Arguments arguments) {
    return arguments.empty() ? Done(PutUserBitmap()) : kExitUsage;
}

int RunClipHtml(Arguments arguments) {
    return arguments.empty() ? Done(PutUserHtml()) : kExitUsage;
}

int RunClipFiles(Arguments arguments) {
    if (arguments.empty()) {
        return kExitUsage;
    }
    return Done(PutUserFileList({arguments.begin(), arguments.end()}));
}

int RunClipEmpty(Arguments arguments) {
    return arguments.empty() ? Done(EmptyUserClipboard()) : kExitUsage;
}

int RunClipDump(Arguments arguments) {
    if (!arguments.empty()) {
        return kExitUsage;
    }
    const std::optional<std::wstring> description = DescribeClipboard();
    if (!description) {
        return Failed(L"the clipboard cannot be opened");
    }
    PrintOutput(*description);
    return kExitDone;
}

int RunClipHold(Arguments arguments) {
    const std::optional<DWORD> milliseconds =
        arguments.size() == 1 ? ParseMilliseconds(arguments[0]) : std::nullopt;
    if (!milliseconds) {
        return kExitUsage;
    }
    return Done(HoldClipboard(*milliseconds));
}

struct Command {
    const wchar_t* name;
    const wchar_t* usage;
    int (*run)(Arguments);
};

const Command kCommands[] = {
    {L"cycle", L"MODE [--delay SECONDS | --ini FILE] [--after-clipboard-held TIMEOUT_MS]",
     RunCycle},
    {L"target-wait", L"TIMEOUT_MS", RunTargetWait},
    {L"target-set", L"TEXT SELECT_FROM SELECT_TO", RunTargetSet},
    {L"target-text", L"", RunTargetText},
    {L"target-expect", L"TEXT TIMEOUT_MS", RunTargetExpect},
    {L"clip-text", L"TEXT", RunClipText},
    {L"clip-bitmap", L"", RunClipBitmap},
    {L"clip-html", L"", RunClipHtml},
    {L"clip-files", L"PATH...", RunClipFiles},
    {L"clip-empty", L"", RunClipEmpty},
    {L"clip-dump", L"", RunClipDump},
    {L"clip-hold", L"MILLISECONDS", RunClipHold},
};

int ShowUsage() {
    std::wstring usage = L"usage: zenvoral-cycle-host COMMAND ...\n";
    for (const Command& command : kCommands) {
        const std::wstring arguments = command.usage;
        usage += L"  " + std::wstring(command.name) + (arguments.empty() ? L"" : L" ") + arguments +
                 L"\n";
    }
    usage += L"TEXT: \\r, \\n, \\t and \\\\ stand for CR, LF, tab and a backslash\n";
    PrintError(usage);
    return kExitUsage;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    const std::vector<std::wstring> words(argv, argv + argc);
    if (words.size() < 2) {
        return ShowUsage();
    }
    for (const Command& command : kCommands) {
        if (words[1] == command.name) {
            const int status = command.run(Arguments(words).subspan(2));
            return status == kExitUsage ? ShowUsage() : status;
        }
    }
    return ShowUsage();
}
