#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The window the injected keys go to, as the cycle sees it when a request starts.
struct TargetWindow {
    uint64_t Identity = 0;     // the window handle as a number; 0 when there is none
    std::wstring ClassName;    // its window class
    std::wstring ProcessName;  // its process's image file name, without the folder
    bool OutranksUs = false;   // its process runs at a higher integrity level than ours
};

// Looks at the foreground window for the cycle. Windows of a process at a higher
// integrity level (programs run as administrator) ignore keys injected by ours.
class ForegroundWindow {
  public:
    virtual ~ForegroundWindow() = default;

    // The foreground window now. A process whose token may not even be opened counts as
    // outranking ours: keys sent to it would be lost all the same.
    virtual TargetWindow Describe() = 0;

    // For a console window: whether the user has selected something in it. False when
    // the console cannot be asked.
    virtual bool ConsoleHasSelection(const TargetWindow& window) = 0;
};

// How the cycle has to treat a window.
enum class WindowKind {
    Ordinary,  // copies with Ctrl+C, pastes with Ctrl+V, can be given a selection by keys
    Terminal,  // a terminal emulator: Ctrl+Insert and Shift+Insert; no key selects
    Console,   // a system console: as a terminal, and it can be asked for its selection
};

// By the window class, and by the process image name where the class is a generic one
// (the toolkits of Electron, Chromium and Rust applications); both without regard to case.
WindowKind KindOfWindow(std::wstring_view className, std::wstring_view processName);
