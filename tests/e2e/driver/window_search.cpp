#include "window_search.h"

#include <memory>
#include <type_traits>

namespace {

constexpr DWORD kPollIntervalMs = 20;
constexpr UINT kAnswerTimeoutMs = 2000;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ScopedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

bool SamePath(const std::wstring& left, const std::wstring& right) {
    return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return path;
    }
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    full.resize(length < needed ? length : 0);
    return full.empty() ? path : full;
}

std::optional<std::wstring> ImagePathOfProcess(DWORD processId) {
    const ScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return std::nullopt;
    }
    std::wstring path(32768, L'\0');
    DWORD length = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process.get(), 0, path.data(), &length)) {
        return std::nullopt;
    }
    path.resize(length);
    return path;
}

bool OwnedBy(HWND window, const std::wstring& imagePath) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const std::optional<std::wstring> ownerImage = ImagePathOfProcess(processId);
    return ownerImage && SamePath(FullPath(*ownerImage), FullPath(imagePath));
}

bool Matches(HWND window, const WindowQuery& query) {
    if (!query.includeHidden && !IsWindowVisible(window)) {
        return false;
    }
    if (query.className && ClassNameOf(window) != *query.className) {
        return false;
    }
    // The caption of a top-level window is kept by the system, so this needs no answer
    // from a program that may be busy.
    std::wstring title(512, L'\0');
    title.resize(
        static_cast<size_t>(GetWindowTextW(window, title.data(), static_cast<int>(title.size()))));
    if (title != query.title) {
        return false;
    }
    return !query.ownerImage || OwnedBy(window, *query.ownerImage);
}

struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMatchingWindow(HWND window, LPARAM searchAddress) {
    auto* search = reinterpret_cast<Search*>(searchAddress);
    if (Matches(window, *search->query)) {
        search->found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectChildWindow(HWND window, LPARAM listAddress) {
    reinterpret_cast<std::vector<HWND>*>(listAddress)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query) {
    Search search{&query, {}};
    EnumWindows(CollectMatchingWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<HWND> WaitForWindow(const WindowQuery& query, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        const std::vector<HWND> found = FindTopLevelWindows(query);
        if (!found.empty()) {
            return found.front();
        }
        if (GetTickCount64() >= deadline) {
            return std::nullopt;
        }
        Sleep(kPollIntervalMs);
    }
}

bool WaitForNoWindow(const WindowQuery& query, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (FindTopLevelWindows(query).empty()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kPollIntervalMs);
    }
}

std::wstring ClassNameOf(HWND window) {
    std::wstring name(256, L'\0');
    name.resize(
        static_cast<size_t>(GetClassNameW(window, name.data(), static_cast<int>(name.size()))));
    return name;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &length)) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied)) {
        return {};
    }
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChildWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}
