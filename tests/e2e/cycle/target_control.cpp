#include "target_control.h"

#include <vector>

namespace {

constexpr DWORD kPollIntervalMs = 5;
// A target that does not answer within this is treated as gone.
constexpr UINT kAnswerTimeoutMs = 2000;

std::optional<LRESULT> SendToTarget(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                            &result) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

HWND FocusOfThreadOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool IsReady(const TargetWindow& target) {
    return GetForegroundWindow() == target.Frame && FocusOfThreadOf(target.Frame) == target.Edit;
}

}  // namespace

std::optional<TargetWindow> FindTarget() {
    HWND frame = FindWindowW(nullptr, kTargetTitle);
    if (frame == nullptr) {
        return std::nullopt;
    }
    HWND edit = FindWindowExW(frame, nullptr, L"EDIT", nullptr);
    if (edit == nullptr) {
        return std::nullopt;
    }
    return TargetWindow{frame, edit};
}

std::optional<TargetWindow> WaitForTargetReady(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        const std::optional<TargetWindow> target = FindTarget();
        if (target && IsReady(*target)) {
            return target;
        }
        if (GetTickCount64() >= deadline) {
            return std::nullopt;
        }
        Sleep(kPollIntervalMs);
    }
}

bool SetTargetText(const TargetWindow& target, const std::wstring& text, int selectFrom,
                   int selectTo) {
    const std::optional<LRESULT> set =
        SendToTarget(target.Edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return set.has_value() && *set != FALSE &&
           SendToTarget(target.Edit, EM_SETSEL, static_cast<WPARAM>(selectFrom),
                        static_cast<LPARAM>(selectTo))
               .has_value();
}

std::optional<std::wstring> TargetText(const TargetWindow& target) {
    const std::optional<LRESULT> length = SendToTarget(target.Edit, WM_GETTEXTLENGTH, 0, 0);
    if (!length) {
        return std::nullopt;
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(*length) + 1, L'\0');
    const std::optional<LRESULT> copied = SendToTarget(target.Edit, WM_GETTEXT, buffer.size(),
                                                       reinterpret_cast<LPARAM>(buffer.data()));
    if (!copied) {
        return std::nullopt;
    }
    return std::wstring(buffer.data(), static_cast<size_t>(*copied));
}
