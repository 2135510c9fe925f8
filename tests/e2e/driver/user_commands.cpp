#include "user_commands.h"

#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <cwctype>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console_output.h"
#include "driver_status.h"
#include "window_search.h"

namespace {

constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayCallbackMessage = WM_APP + 1;  // what Zenvoral asks the shell to post
constexpr DWORD kPollMs = 20;
constexpr int kProbeHotkeyId = 0x7A11;

struct KeyCombination {
    std::vector<WORD> modifiers;  // virtual keys, pressed in this order
    WORD key = 0;
    UINT hotkeyModifiers = 0;  // MOD_ flags of the modifiers
};

std::wstring Lower(std::wstring text) {
    for (wchar_t& unit : text) {
        unit = static_cast<wchar_t>(std::towlower(unit));
    }
    return text;
}

std::optional<WORD> NamedKey(const std::wstring& name) {
    static const struct {
        const wchar_t* name;
        WORD key;
    } kNames[] = {
        {L"escape", VK_ESCAPE}, {L"enter", VK_RETURN}, {L"tab", VK_TAB},   {L"space", VK_SPACE},
        {L"up", VK_UP},         {L"down", VK_DOWN},    {L"left", VK_LEFT}, {L"right", VK_RIGHT},
        {L"home", VK_HOME},     {L"end", VK_END},      {L"back", VK_BACK},
    };
    for (const auto& entry : kNames) {
        if (name == entry.name) {
            return entry.key;
        }
    }
    if (name.size() >= 2 && name[0] == L'f' && std::iswdigit(name[1])) {
        const int number = std::wcstol(name.c_str() + 1, nullptr, 10);
        if (number >= 1 && number <= 24) {
            return static_cast<WORD>(VK_F1 + number - 1);
        }
    }
    if (name.size() == 1 && (std::iswalnum(name[0]) != 0)) {
        return static_cast<WORD>(std::towupper(name[0]));
    }
    return std::nullopt;
}

std::optional<KeyCombination> ParseKeys(const std::wstring& text) {
    KeyCombination combination;
    size_t start = 0;
    const std::wstring lower = Lower(text);
    for (;;) {
        const size_t plus = lower.find(L'+', start);
        const std::wstring part =
            lower.substr(start, plus == std::wstring::npos ? std::wstring::npos : plus - start);
        if (plus == std::wstring::npos) {
            const std::optional<WORD> key = NamedKey(part);
            if (!key) {
                return std::nullopt;
            }
            combination.key = *key;
            return combination;
        }
        if (part == L"win") {
            combination.modifiers.push_back(VK_LWIN);
            combination.hotkeyModifiers |= MOD_WIN;
        } else if (part == L"ctrl") {
            combination.modifiers.push_back(VK_CONTROL);
            combination.hotkeyModifiers |= MOD_CONTROL;
        } else if (part == L"shift") {
            combination.modifiers.push_back(VK_SHIFT);
            combination.hotkeyModifiers |= MOD_SHIFT;
        } else if (part == L"alt") {
            combination.modifiers.push_back(VK_MENU);
            combination.hotkeyModifiers |= MOD_ALT;
        } else {
            return std::nullopt;
        }
        start = plus + 1;
    }
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (key == VK_LWIN || (key >= VK_PRIOR && key <= VK_DOWN)) {
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    }
    return input;
}

bool HasPositionalCount(const CommandArguments& arguments, size_t count) {
    if (arguments.positional.size() == count) {
        return true;
    }
    WriteError(L"wrong number of arguments\n");
    return false;
}

std::optional<KeyCombination> KeysFrom(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 1)) {
        return std::nullopt;
    }
    std::optional<KeyCombination> keys = ParseKeys(arguments.positional[0]);
    if (!keys) {
        WriteError(L"unknown keys \"" + arguments.positional[0] + L"\"\n");
    }
    return keys;
}

WindowQuery QueryFrom(const CommandArguments& arguments) {
    WindowQuery query;
    query.title = arguments.positional.at(0);
    query.className = arguments.Option(L"class");
    query.ownerImage = arguments.Option(L"owner");
    query.includeHidden = true;  // the program's main window is mostly hidden
    return query;
}

std::optional<HWND> FindOneWindow(const CommandArguments& arguments) {
    const std::vector<HWND> found = FindTopLevelWindows(QueryFrom(arguments));
    if (found.empty()) {
        WriteError(L"no window \"" + arguments.positional.at(0) + L"\"\n");
        return std::nullopt;
    }
    return found.front();
}

std::optional<DWORD> Milliseconds(const std::wstring& text) {
    const std::optional<unsigned long> value = ParseMilliseconds(text);
    if (!value) {
        WriteError(L"\"" + text + L"\" is no number of milliseconds\n");
        return std::nullopt;
    }
    return static_cast<DWORD>(*value);
}

bool PollUntil(DWORD timeoutMs, const std::function<bool()>& happened) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (happened()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kPollMs);
    }
}

NOTIFYICONDATAW IconRecord(HWND window) {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof(record);
    record.hWnd = window;
    record.uID = kTrayIconId;
    return record;
}

// The shell answers a change of an icon it does not know with a failure.
bool TrayIconPresent(HWND window) {
    NOTIFYICONDATAW record = IconRecord(window);
    return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

std::optional<std::function<bool(HWND)>> StateTest(const std::wstring& name) {
    if (name == L"shown-on-top") {
        return [](HWND window) { return IsWindowVisible(window) != FALSE && IsTopmost(window); };
    }
    if (name == L"hidden") {
        return [](HWND window) { return IsWindowVisible(window) == FALSE; };
    }
    if (name == L"foreground") {
        return [](HWND window) { return GetForegroundWindow() == window; };
    }
    return std::nullopt;
}

BOOL CALLBACK NoteOpenMenu(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wcscmp(className, L"#32768") == 0 && IsWindowVisible(window) != FALSE) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool MenuOpen() {
    bool found = false;
    EnumWindows(NoteOpenMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool SendCombination(const KeyCombination& combination) {
    std::vector<INPUT> inputs;
    for (const WORD modifier : combination.modifiers) {
        inputs.push_back(KeyInput(modifier, false));
    }
    inputs.push_back(KeyInput(combination.key, false));
    inputs.push_back(KeyInput(combination.key, true));
    for (auto modifier = combination.modifiers.rbegin(); modifier != combination.modifiers.rend();
         ++modifier) {
        inputs.push_back(KeyInput(*modifier, true));
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}

}  // namespace

int RunTimeKeys(const CommandArguments& arguments) {
    if (arguments.positional.size() != 3) {
        WriteError(L"wrong number of arguments\n");
        return kExitUsage;
    }
    const std::optional<KeyCombination> keys = ParseKeys(arguments.positional[0]);
    const std::optional<DWORD> timeout = Milliseconds(arguments.positional[2]);
    if (!keys || !timeout) {
        return kExitUsage;
    }
    WindowQuery query;
    query.title = arguments.positional[1];
    const std::vector<HWND> found = FindTopLevelWindows(query);
    const HWND edit =
        found.empty() ? nullptr : FindWindowExW(found.front(), nullptr, L"Edit", nullptr);
    if (edit == nullptr) {
        WriteError(L"no edit control in \"" + query.title + L"\"\n");
        return kExitNotMet;
    }
    const std::wstring before = TextOf(edit);
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!SendCombination(*keys)) {
        WriteError(L"the system took only some of the key events\n");
        return kExitNotMet;
    }
    const ULONGLONG deadline = GetTickCount64() + *timeout;
    while (TextOf(edit) == before) {
        if (GetTickCount64() >= deadline) {
            WriteError(L"the text did not change\n");
            return kExitNotMet;
        }
        Sleep(1);
    }
    LARGE_INTEGER end{};
    QueryPerformanceCounter(&end);
    const double milliseconds = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                                static_cast<double>(frequency.QuadPart);
    WriteOutput(std::to_wstring(milliseconds) + L"\n");
    return kExitDone;
}

int RunSendKeys(const CommandArguments& arguments) {
    const std::optional<KeyCombination> keys = KeysFrom(arguments);
    if (!keys) {
        return kExitUsage;
    }
    if (!SendCombination(*keys)) {
        WriteError(L"the system took only some of the key events\n");
        return kExitNotMet;
    }
    return kExitDone;
}

int RunHotkeyFree(const CommandArguments& arguments) {
    const std::optional<KeyCombination> keys = KeysFrom(arguments);
    if (!keys) {
        return kExitUsage;
    }
    if (!RegisterHotKey(nullptr, kProbeHotkeyId, keys->hotkeyModifiers, keys->key)) {
        WriteError(L"another program holds " + arguments.positional[0] + L"\n");
        return kExitNotMet;
    }
    UnregisterHotKey(nullptr, kProbeHotkeyId);
    return kExitDone;
}

int RunHoldHotkey(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 2)) {
        return kExitUsage;
    }
    const std::optional<KeyCombination> keys = ParseKeys(arguments.positional[0]);
    const std::optional<DWORD> timeout = Milliseconds(arguments.positional[1]);
    if (!keys || !timeout) {
        if (!keys) {
            WriteError(L"unknown keys \"" + arguments.positional[0] + L"\"\n");
        }
        return kExitUsage;
    }
    if (!RegisterHotKey(nullptr, kProbeHotkeyId, keys->hotkeyModifiers, keys->key)) {
        WriteError(L"another program holds " + arguments.positional[0] + L"\n");
        return kExitNotMet;
    }
    // Bounded, so a script that lost track of the holder does not lose the combination
    // for every later test; its presses are left unread, as they would be by a busy owner.
    Sleep(*timeout);
    UnregisterHotKey(nullptr, kProbeHotkeyId);
    return kExitDone;
}

int RunWaitState(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 3)) {
        return kExitUsage;
    }
    const auto test = StateTest(arguments.positional[1]);
    const std::optional<DWORD> timeout = Milliseconds(arguments.positional[2]);
    if (!test || !timeout) {
        if (!test) {
            WriteError(L"unknown state \"" + arguments.positional[1] + L"\"\n");
        }
        return kExitUsage;
    }
    const std::optional<HWND> window = FindOneWindow(arguments);
    if (!window) {
        return kExitNotMet;
    }
    if (!PollUntil(*timeout, [&] { return (*test)(*window); })) {
        WriteError(L"\"" + arguments.positional[0] + L"\" is not " + arguments.positional[1] +
                   L"\n");
        return kExitNotMet;
    }
    return kExitDone;
}

int RunTrayIcon(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 3)) {
        return kExitUsage;
    }
    const std::wstring& wanted = arguments.positional[1];
    const std::optional<DWORD> timeout = Milliseconds(arguments.positional[2]);
    if (!timeout || (wanted != L"present" && wanted != L"absent")) {
        return kExitUsage;
    }
    const std::optional<HWND> window = FindOneWindow(arguments);
    if (!window) {
        return kExitNotMet;
    }
    const bool present = wanted == L"present";
    if (!PollUntil(*timeout, [&] { return TrayIconPresent(*window) == present; })) {
        WriteError(L"the notification icon is not " + wanted + L"\n");
        return kExitNotMet;
    }
    return kExitDone;
}

int RunTrayDrop(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 1)) {
        return kExitUsage;
    }
    const std::optional<HWND> window = FindOneWindow(arguments);
    if (!window) {
        return kExitNotMet;
    }
    NOTIFYICONDATAW record = IconRecord(*window);
    return Shell_NotifyIconW(NIM_DELETE, &record) != FALSE ? kExitDone : kExitNotMet;
}

int RunShellRestarted(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 0)) {
        return kExitUsage;
    }
    const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return PostMessageW(HWND_BROADCAST, message, 0, 0) != FALSE ? kExitDone : kExitNotMet;
}

int RunTrayCallback(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 2)) {
        return kExitUsage;
    }
    const std::optional<unsigned long> mouseMessage = ParseMilliseconds(arguments.positional[1]);
    if (!mouseMessage) {
        return kExitUsage;
    }
    const std::optional<HWND> window = FindOneWindow(arguments);
    if (!window) {
        return kExitNotMet;
    }
    const BOOL posted = PostMessageW(*window, kTrayCallbackMessage, kTrayIconId,
                                     static_cast<LPARAM>(*mouseMessage));
    return posted != FALSE ? kExitDone : kExitNotMet;
}

int RunWaitMenu(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 2)) {
        return kExitUsage;
    }
    const std::wstring& wanted = arguments.positional[0];
    const std::optional<DWORD> timeout = Milliseconds(arguments.positional[1]);
    if (!timeout || (wanted != L"open" && wanted != L"closed")) {
        return kExitUsage;
    }
    const bool open = wanted == L"open";
    if (!PollUntil(*timeout, [&] { return MenuOpen() == open; })) {
        WriteError(L"no menu is " + wanted + L"\n");
        return kExitNotMet;
    }
    return kExitDone;
}

int RunWindowRect(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 1)) {
        return kExitUsage;
    }
    const std::optional<HWND> window = FindOneWindow(arguments);
    if (!window) {
        return kExitNotMet;
    }
    RECT place{};
    GetWindowRect(*window, &place);
    WriteOutput(std::to_wstring(place.left) + L" " + std::to_wstring(place.top) + L" " +
                std::to_wstring(place.right) + L" " + std::to_wstring(place.bottom) + L"\n");
    return kExitDone;
}

int RunActivate(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 1)) {
        return kExitUsage;
    }
    const std::optional<HWND> window = FindOneWindow(arguments);
    if (!window) {
        return kExitNotMet;
    }
    return SetForegroundWindow(*window) != FALSE ? kExitDone : kExitNotMet;
}

int RunEndSession(const CommandArguments& arguments) {
    if (!HasPositionalCount(arguments, 1)) {
        return kExitUsage;
    }
    const std::optional<HWND> window = FindOneWindow(arguments);
    if (!window) {
        return kExitNotMet;
    }
    const LRESULT agreed = SendMessageW(*window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    if (agreed == FALSE) {
        WriteError(L"the window refused to end the session\n");
        return kExitNotMet;
    }
    // Posted: the window ends while handling it, and the driver must not wait on that.
    return PostMessageW(*window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF) != FALSE ? kExitDone
                                                                                  : kExitNotMet;
}
