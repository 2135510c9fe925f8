#include "capture/foreground_window.h"

#include <algorithm>
#include <cwctype>
#include <utility>

namespace {

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return std::ranges::equal(a, b,
                              [](wchar_t x, wchar_t y) { return towlower(x) == towlower(y); });
}

constexpr std::pair<std::wstring_view, WindowKind> kWindowClasses[] = {
    {L"ConsoleWindowClass", WindowKind::Console},
    {L"WineConsoleClass", WindowKind::Console},
    {L"CASCADIA_HOSTING_WINDOW_CLASS", WindowKind::Terminal},  // Windows Terminal
    {L"mintty", WindowKind::Terminal},                         // Git Bash, Cygwin, MSYS2
    {L"PuTTY", WindowKind::Terminal},
    {L"KiTTY", WindowKind::Terminal},
    {L"VirtualConsoleClass", WindowKind::Terminal},  // ConEmu, Cmder
    {L"org.wezfurlong.wezterm", WindowKind::Terminal},
};

constexpr std::wstring_view kTerminalProcesses[] = {
    L"WindowsTerminal.exe", L"alacritty.exe", L"wezterm-gui.exe", L"Tabby.exe", L"Hyper.exe",
};

}  // namespace

WindowKind KindOfWindow(std::wstring_view className, std::wstring_view processName) {
    for (const auto& [name, kind] : kWindowClasses) {
        if (SameIgnoringCase(className, name)) {
            return kind;
        }
    }
    const bool terminalProcess = std::ranges::any_of(
        kTerminalProcesses,
        [&](std::wstring_view name) { return SameIgnoringCase(processName, name); });
    return terminalProcess ? WindowKind::Terminal : WindowKind::Ordinary;
}
