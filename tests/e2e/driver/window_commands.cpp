#include "window_commands.h"

#include <windows.h>

#include <cwchar>
#include <optional>

#include "console_output.h"
#include "driver_status.h"
#include "window_search.h"

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

WindowQuery QueryFrom(const CommandArguments& arguments) {
    WindowQuery query;
    query.title = arguments.positional.at(0);
    query.className = arguments.Option(L"class");
    query.ownerImage = arguments.Option(L"owner");
    query.includeHidden = arguments.HasSwitch(L"hidden");
    return query;
}

bool HasPositionalCount(const CommandArguments& arguments, size_t count) {
    if (arguments.positional.size() == count) {
        return true;
    }
    WriteError(L"wrong number of arguments\n");
    return false;
}

std::optional<HWND> FindOneWindow(const WindowQuery& query) {
    const std::vector<HWND> found = FindTopLevelWindows(query);
    if (found.empty()) {
        WriteError(L"no window \"" + query.title + L"\"\n");
        return std::nullopt;
    }
    return found.front();
}

std::wstring WithoutAmpersands(std::wstring text) {
    std::erase(text, L'&');
    return text;
}

bool HasClass(HWND window, const wchar_t* className) {
    return CompareStringOrdinal(ClassNameOf(window).c_str(), -1, className, -1, TRUE) == CSTR_EQUAL;
}

std::optional<HWND> FindButton(HWND window, const std::wstring& caption) {
    for (const HWND child : ChildWindows(window)) {
        if (HasClass(child, L"Button") && WithoutAmpersands(TextOf(child)) == caption) {
            return child;
        }
    }
    return std::nullopt;
}

std::wstring HandleText(HWND window) {
    wchar_t text[32] = {};
    swprintf(text, sizeof(text) / sizeof(text[0]), L"0x%lx\n",
             static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

std::optional<DWORD> TimeoutFrom(const CommandArguments& arguments) {
    const std::optional<unsigned long> timeout = ParseMilliseconds(arguments.positional.at(1));
    if (!timeout) {
        WriteError(L"the timeout must be a number of milliseconds\n");
        return std::nullopt;
    }
    return static_cast<DWORD>(*timeout);
}

}  // namespace

int RunWaitWindow(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 2)) {
        return kExitUsage;
    }
    const std::optional<DWORD> timeout = TimeoutFrom(arguments);
    if (!timeout) {
        return kExitUsage;
    }
    const std::optional<HWND> window = WaitForWindow(QueryFrom(arguments), *timeout);
    if (!window) {
        WriteError(L"timed out waiting for \"" + arguments.positional[0] + L"\"\n");
        return kExitNotMet;
    }
    WriteOutput(HandleText(*window));
    return kExitDone;
}

int RunWaitNoWindow(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 2)) {
        return kExitUsage;
    }
    const std::optional<DWORD> timeout = TimeoutFrom(arguments);
    if (!timeout) {
        return kExitUsage;
    }
    if (!WaitForNoWindow(QueryFrom(arguments), *timeout)) {
        WriteError(L"\"" + arguments.positional[0] + L"\" is still there\n");
        return kExitNotMet;
    }
    return kExitDone;
}

int RunWindowText(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 1)) {
        return kExitUsage;
    }
    const std::optional<HWND> window = FindOneWindow(QueryFrom(arguments));
    if (!window) {
        return kExitNotMet;
    }
    for (const HWND child : ChildWindows(*window)) {
        if (!HasClass(child, L"Static")) {
            continue;
        }
        const std::wstring text = TextOf(child);
        if (!text.empty()) {
            WriteOutput(text + L"\n");
        }
    }
    return kExitDone;
}

int RunCloseWindow(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 1)) {
        return kExitUsage;
    }
    const std::optional<HWND> window = FindOneWindow(QueryFrom(arguments));
    if (!window) {
        return kExitNotMet;
    }
    if (!PostMessageW(*window, WM_CLOSE, 0, 0)) {
        WriteError(L"the request could not be delivered\n");
        return kExitNotMet;
    }
    return kExitDone;
}

int RunPress(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 2)) {
        return kExitUsage;
    }
    const std::optional<HWND> window = FindOneWindow(QueryFrom(arguments));
    if (!window) {
        return kExitNotMet;
    }
    const std::optional<HWND> button = FindButton(*window, arguments.positional[1]);
    if (!button) {
        WriteError(L"no button \"" + arguments.positional[1] + L"\"\n");
        return kExitNotMet;
    }
    // Posted, not sent: the click may end a modal loop in the other program, and the
    // driver must not depend on when that program gets round to answering.
    if (!PostMessageW(*button, BM_CLICK, 0, 0)) {
        WriteError(L"the click could not be delivered\n");
        return kExitNotMet;
    }
    return kExitDone;
}

int RunSelect(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 3)) {
        return kExitUsage;
    }
    const std::optional<unsigned long> id = ParseMilliseconds(arguments.positional[1]);
    if (!id) {
        WriteError(L"the control id must be a decimal number\n");
        return kExitUsage;
    }
    const std::optional<HWND> window = FindOneWindow(QueryFrom(arguments));
    if (!window) {
        return kExitNotMet;
    }
    const int controlId = static_cast<int>(*id);
    const HWND control = GetDlgItem(*window, controlId);
    const bool isListBox = control != nullptr && HasClass(control, L"ListBox");
    if (control == nullptr || (!isListBox && !HasClass(control, L"ComboBox"))) {
        WriteError(L"no list box or combo box " + arguments.positional[1] + L"\n");
        return kExitNotMet;
    }
    const std::wstring& item = arguments.positional[2];
    DWORD_PTR row = 0;
    if (!SendMessageTimeoutW(control, isListBox ? LB_FINDSTRINGEXACT : CB_FINDSTRINGEXACT,
                             static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()),
                             SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &row) ||
        static_cast<LRESULT>(row) < 0) {
        WriteError(L"no row \"" + item + L"\"\n");
        return kExitNotMet;
    }
    // Posted like a press, so selections and clicks reach the dialog in the order given.
    const WPARAM notification = MAKEWPARAM(controlId, isListBox ? LBN_SELCHANGE : CBN_SELCHANGE);
    if (!PostMessageW(control, isListBox ? LB_SETCURSEL : CB_SETCURSEL, row, 0) ||
        !PostMessageW(*window, WM_COMMAND, notification, reinterpret_cast<LPARAM>(control))) {
        WriteError(L"the selection could not be delivered\n");
        return kExitNotMet;
    }
    return kExitDone;
}
