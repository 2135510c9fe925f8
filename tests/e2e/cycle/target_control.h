#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The window of zenvoral-target (tests/e2e/target), found from another process.
inline constexpr wchar_t kTargetTitle[] = L"Zenvoral Target";

struct TargetWindow {
    HWND Frame = nullptr;
    HWND Edit = nullptr;
};

std::optional<TargetWindow> FindTarget();

// Polls until the target exists, is the foreground window and its edit has the
// keyboard focus: only then do injected keys reach the edit. Nothing when the time
// runs out.
std::optional<TargetWindow> WaitForTargetReady(DWORD timeoutMs);

// Replaces the edit's text and selects the units from `selectFrom` to `selectTo` (both
// equal: the caret stands there and nothing is selected). False when the edit does
// not answer.
bool SetTargetText(const TargetWindow& target, const std::wstring& text, int selectFrom,
                   int selectTo);

// The edit's whole text; nothing when it does not answer.
std::optional<std::wstring> TargetText(const TargetWindow& target);
