#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Which top-level windows a command means.
struct WindowQuery {
    std::wstring title;                      // the exact caption
    std::optional<std::wstring> className;   // e.g. "#32770" for a message box
    std::optional<std::wstring> ownerImage;  // full path of the owning process's executable
    bool includeHidden = false;
};

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query);

// Polls until a matching window exists; nothing when the time runs out.
std::optional<HWND> WaitForWindow(const WindowQuery& query, DWORD timeoutMs);

// Polls until no matching window exists; false when the time runs out.
bool WaitForNoWindow(const WindowQuery& query, DWORD timeoutMs);

std::wstring ClassNameOf(HWND window);

// The text a window reports for WM_GETTEXT; empty when it does not answer in time.
std::wstring TextOf(HWND window);

std::vector<HWND> ChildWindows(HWND parent);
