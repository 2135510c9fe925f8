// zenvoral-testdriver COMMAND ARGUMENTS...: the user's hands and eyes in the end-to-end
// tests, from inside Wine, where the X-side tools cannot see hidden windows, read
// controls or the clipboard. Exit code 0 when the step happened (in time), 1 when not, 2
// for a wrong command line. A WINDOW is a top-level window's exact caption, or "class:"
// and its class ("class:#32768" is a pop-up menu); visible windows are taken first. APP,
// where the user types: notepad, wordpad or linecopy; "\n" in its TEXT is a line end.
//
//   wait WINDOW exists|absent|shown|gone|on-top|foreground [TIMEOUT_MS]
//   text WINDOW (its static controls' texts) | press WINDOW CAPTION ("&" left out)
//   select WINDOW ID ITEM    picks the row ITEM of list or combo box ID, as a click does
//   close WINDOW | place WINDOW (prints left and top) | end-session WINDOW
//   tray WINDOW present|absent|drop   waits for its icon, or takes it away as a shell
//                            restarting does | shell-restarted (announces "TaskbarCreated")
//   keys KEYS [HOLD_MS]      "win+F9", "ctrl+shift+a", "escape", "x"...; the modifiers
//                            go up HOLD_MS after the key
//   hotkey KEYS [HOLD_MS]    takes the combination for HOLD_MS; fails when it is held
//   target APP TEXT FROM TO  activates APP, sets its text and selection | holds APP TEXT
//   linecopy                 runs an editor that copies and pastes whole lines as code
//                            editors do | console run | type TEXT | screen   runs cmd in
//                            a console window; types into it; prints its lines
//   clipboard text TEXT | bitmap | html TEXT | show   sets or prints the user's clipboard
//   convert APP EXPECTED keys KEYS [HOLD_MS] | button WINDOW CAPTION | held-clipboard MS
//       KEYS: acts (held-clipboard: with the clipboard open for MS), then waits until APP
//       holds EXPECTED and the user's clipboard is as it was, every format byte for byte;
//       prints the milliseconds to the text. APP must not change while modifiers are down.

#include <windows.h>

#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cwctype>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/scoped_win.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;
// Opening the clipboard keeps the program under test out of it: not too often.
constexpr DWORD kClipboardPollMs = 25;

using Args = std::vector<std::wstring>;
struct Failure {
    std::wstring what;
};
struct UsageError {};

[[noreturn]] void Fail(const std::wstring& what) {
    throw Failure{what};
}

void Need(const Args& args, size_t least, size_t most) {
    if (args.size() < least || args.size() > most) {
        throw UsageError{};
    }
}

DWORD Number(const std::wstring& text) {
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text.c_str(), &end, 10);
    if (text.empty() || *end != L'\0') {
        throw UsageError{};
    }
    return value;
}

std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(static_cast<size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

void Write(DWORD stream, const std::wstring& text) {
    const std::string bytes = Utf8(text);
    DWORD written = 0;
    // A closed output is the script's business: nothing to do about it here.
    static_cast<void>(WriteFile(GetStdHandle(stream), bytes.data(),
                                static_cast<DWORD>(bytes.size()), &written, nullptr));
}

bool PollUntil(DWORD timeoutMs, const std::function<bool()>& happened, DWORD pauseMs = 5) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!happened()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(pauseMs);
    }
    return true;
}

// --- Windows ------------------------------------------------------------------------

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Asked with a bound: the program under test may be busy in a modal loop.
std::wstring TextOf(HWND window) {
    std::wstring text(4096, L'\0');
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &length);
    text.resize(length);
    return text;
}

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&children));
    return children;
}

// A caption is kept by the system: reading it needs no answer from the window's program.
std::vector<HWND> WindowsNamed(const std::wstring& name) {
    std::vector<HWND> windows;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [&](HWND window) {
        wchar_t caption[256] = {};
        GetWindowTextW(window, caption, 256);
        return name != (name.starts_with(L"class:") ? L"class:" + ClassOf(window) : caption);
    });
    std::stable_partition(windows.begin(), windows.end(), IsWindowVisible);
    return windows;
}

HWND Window(const std::wstring& name) {
    const std::vector<HWND> windows = WindowsNamed(name);
    if (windows.empty()) {
        Fail(L"no window \"" + name + L"\"");
    }
    return windows.front();
}

HWND Child(HWND parent, const std::wstring& className, const std::wstring& caption) {
    for (const HWND child : Children(parent)) {
        std::wstring text = TextOf(child);
        std::erase(text, L'&');
        if (ClassOf(child) == className && text == caption) {
            return child;
        }
    }
    Fail(L"no " + className + L" \"" + caption + L"\"");
}

// Posted, not sent: a click may end a modal loop in the program, and the driver must not
// depend on when that program gets round to answering.
void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    if (!PostMessageW(window, message, wParam, lParam)) {
        Fail(L"a message could not be posted");
    }
}

BOOL WINAPI AnyWindow(HWND) {
    return TRUE;
}

BOOL WINAPI OnTop(HWND window) {
    return IsWindowVisible(window) && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

BOOL WINAPI InForeground(HWND window) {
    return window == GetForegroundWindow();
}

void RunWait(const Args& args) {
    Need(args, 2, 3);
    // Each state: whether some window of that name passes the test.
    static const std::map<std::wstring, std::pair<BOOL(WINAPI*)(HWND), bool>> kStates = {
        {L"exists", {AnyWindow, true}},      {L"absent", {AnyWindow, false}},
        {L"shown", {IsWindowVisible, true}}, {L"gone", {IsWindowVisible, false}},
        {L"on-top", {OnTop, true}},          {L"foreground", {InForeground, true}}};
    const auto state = kStates.find(args[1]);
    if (state == kStates.end()) {
        throw UsageError{};
    }
    const auto [test, wanted] = state->second;
    const DWORD timeout = args.size() == 3 ? Number(args[2]) : kTimeoutMs;
    const auto reached = [&] {
        const std::vector<HWND> windows = WindowsNamed(args[0]);
        return std::any_of(windows.begin(), windows.end(), test) == wanted;
    };
    if (!PollUntil(timeout, reached)) {
        Fail(L"\"" + args[0] + L"\" is not " + args[1]);
    }
}

void RunText(const Args& args) {
    Need(args, 1, 1);
    for (const HWND child : Children(Window(args[0]))) {
        if (ClassOf(child) == L"Static" && !TextOf(child).empty()) {
            Write(STD_OUTPUT_HANDLE, TextOf(child) + L"\n");
        }
    }
}

void RunPress(const Args& args) {
    Need(args, 2, 2);
    Post(Child(Window(args[0]), L"Button", args[1]), BM_CLICK);
}

void RunSelect(const Args& args) {
    Need(args, 3, 3);
    const HWND dialog = Window(args[0]);
    const int id = static_cast<int>(Number(args[1]));
    const HWND control = GetDlgItem(dialog, id);
    const bool listBox = ClassOf(control) == L"ListBox";
    const LRESULT row =
        SendMessageW(control, listBox ? LB_FINDSTRINGEXACT : CB_FINDSTRINGEXACT,
                     static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(args[2].c_str()));
    if (control == nullptr || row < 0) {
        Fail(L"no row \"" + args[2] + L"\" in control " + args[1]);
    }
    Post(control, listBox ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(row));
    Post(dialog, WM_COMMAND, MAKEWPARAM(id, listBox ? LBN_SELCHANGE : CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(control));
}

void RunClose(const Args& args) {
    Need(args, 1, 1);
    Post(Window(args[0]), WM_CLOSE);
}

void RunPlace(const Args& args) {
    Need(args, 1, 1);
    RECT place{};
    GetWindowRect(Window(args[0]), &place);
    Write(STD_OUTPUT_HANDLE,
          std::to_wstring(place.left) + L" " + std::to_wstring(place.top) + L"\n");
}

void RunEndSession(const Args& args) {
    Need(args, 1, 1);
    const HWND window = Window(args[0]);
    if (!SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF)) {
        Fail(L"the window refused to end the session");
    }
    Post(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
}

void RunTray(const Args& args) {
    Need(args, 2, 2);
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = Window(args[0]);
    icon.uID = 1;
    if (args[1] == L"drop") {
        if (!Shell_NotifyIconW(NIM_DELETE, &icon)) {
            Fail(L"there is no icon to take away");
        }
        return;
    }
    const bool wanted = args[1] == L"present";
    // The shell refuses to change an icon it does not know.
    if (!PollUntil(kTimeoutMs,
                   [&] { return (Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE) == wanted; })) {
        Fail(L"the notification icon is not " + args[1]);
    }
}

void RunShellRestarted(const Args& args) {
    Need(args, 0, 0);
    Post(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"));
}

// --- Keys ---------------------------------------------------------------------------

struct Keys {
    std::vector<WORD> modifiers;  // pressed in this order
    WORD key = 0;
    UINT hotkeyModifiers = 0;
};

Keys ParseKeys(std::wstring text) {
    static const std::map<std::wstring, std::pair<WORD, UINT>> kModifiers = {
        {L"win", {VK_LWIN, MOD_WIN}},
        {L"ctrl", {VK_CONTROL, MOD_CONTROL}},
        {L"shift", {VK_SHIFT, MOD_SHIFT}}};
    Keys keys;
    for (size_t plus = text.find(L'+'); plus != std::wstring::npos; plus = text.find(L'+')) {
        const auto modifier = kModifiers.find(text.substr(0, plus));
        if (modifier == kModifiers.end()) {
            throw UsageError{};
        }
        keys.modifiers.push_back(modifier->second.first);
        keys.hotkeyModifiers |= modifier->second.second;
        text.erase(0, plus + 1);
    }
    if (text == L"escape") {
        keys.key = VK_ESCAPE;
    } else if (text.size() > 1 && text[0] == L'F') {
        keys.key = static_cast<WORD>(VK_F1 + Number(text.substr(1)) - 1);
    } else if (text.size() == 1 && std::iswalnum(text[0])) {
        keys.key = static_cast<WORD>(std::towupper(text[0]));
    } else {
        throw UsageError{};
    }
    return keys;
}

void Send(const std::vector<WORD>& keys, bool up) {
    std::vector<INPUT> events;
    for (const WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags =
            (up ? KEYEVENTF_KEYUP : 0) | (key == VK_LWIN ? KEYEVENTF_EXTENDEDKEY : 0);
        events.push_back(input);
    }
    if (SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT)) !=
        events.size()) {
        Fail(L"the system took only some of the key events");
    }
}

// As a hand does: modifiers down, the key down and up, HOLD_MS later the modifiers up;
// `whileHeld` must stay true all that time.
void Press(const std::wstring& text, DWORD holdMs, const std::function<bool()>& whileHeld) {
    const Keys keys = ParseKeys(text);
    std::vector<WORD> down = keys.modifiers;
    down.push_back(keys.key);
    Send(down, false);
    Send({keys.key}, true);
    if (PollUntil(
            holdMs, [&] { return !whileHeld(); }, 1)) {
        Fail(L"the program acted while the modifiers were still down");
    }
    if (!keys.modifiers.empty()) {
        Send({keys.modifiers.rbegin(), keys.modifiers.rend()}, true);
    }
}

void RunKeys(const Args& args) {
    Need(args, 1, 2);
    Press(args[0], args.size() == 2 ? Number(args[1]) : 0, [] { return true; });
}

// As another application would: fails when some program holds the combination, else
// holds it for HOLD_MS (bounded, so a script that lost track of the holder does not lose
// the combination for every later test). A holder waits out a script's brief probes.
void RunHotkey(const Args& args) {
    Need(args, 1, 2);
    const Keys keys = ParseKeys(args[0]);
    const DWORD holdMs = args.size() == 2 ? Number(args[1]) : 0;
    const auto taken = [&] { return RegisterHotKey(nullptr, 1, keys.hotkeyModifiers, keys.key); };
    if (!PollUntil(holdMs > 0 ? kTimeoutMs : 0, taken)) {
        Fail(L"another program holds " + args[0]);
    }
    Sleep(holdMs);
}

// --- The target -----------------------------------------------------------------------

std::wstring Unescaped(const std::wstring& text) {
    std::wstring plain;
    for (size_t at = 0; at < text.size(); ++at) {
        const bool lineEnd = text.compare(at, 2, L"\\n") == 0;
        plain += lineEnd ? L"\r\n" : std::wstring(1, text[at]);
        at += lineEnd ? 1 : 0;
    }
    return plain;
}

// APP's top-level window and its text control (none: the window is the control).
HWND TargetControl(const std::wstring& app) {
    static const std::map<std::wstring, std::pair<std::wstring, const wchar_t*>> kApps = {
        {L"notepad", {L"class:Notepad", L"Edit"}},
        {L"wordpad", {L"class:WORDPADTOP", L"RICHEDIT20W"}},
        {L"linecopy", {L"class:Edit", nullptr}}};
    const auto found = kApps.find(app);
    if (found == kApps.end()) {
        throw UsageError{};
    }
    const auto& [window, controlClass] = found->second;
    const HWND control = controlClass == nullptr
                             ? Window(window)
                             : FindWindowExW(Window(window), nullptr, controlClass, nullptr);
    if (control == nullptr) {
        Fail(app + L" has no text control");
    }
    return control;
}

// As the user clicks into the window: the keys that follow go to `control`.
void Activate(HWND control) {
    const HWND window = GetAncestor(control, GA_ROOT);
    SetForegroundWindow(window);
    const auto focused = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetForegroundWindow() == window &&
               GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &info) &&
               info.hwndFocus == control;
    };
    if (!PollUntil(kTimeoutMs, focused)) {
        Fail(L"the window is not in the foreground with its text control focused");
    }
}

void RunTarget(const Args& args) {
    Need(args, 4, 4);
    const HWND control = TargetControl(args[0]);
    Activate(control);
    const std::wstring text = Unescaped(args[1]);
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(control, EM_SETSEL, Number(args[2]), static_cast<LPARAM>(Number(args[3])));
}

// Polled every millisecond: RunConvert times the conversion with it.
void WaitUntilHolds(HWND control, const std::wstring& expected) {
    if (!PollUntil(
            kTimeoutMs, [&] { return TextOf(control) == expected; }, 1)) {
        Fail(L"the target holds \"" + TextOf(control) + L"\", not \"" + expected + L"\"");
    }
}

void RunHolds(const Args& args) {
    Need(args, 2, 2);
    WaitUntilHolds(TargetControl(args[0]), Unescaped(args[1]));
}

// --- The clipboard ------------------------------------------------------------------

// Content sticks only with an owner window; a message-only one takes no foreground.
class ClipboardOpen {
  public:
    ClipboardOpen()
        : owner_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr)) {
        if (!PollUntil(2000, [this] { return OpenClipboard(owner_) != FALSE; })) {
            DestroyWindow(owner_);
            Fail(L"the clipboard cannot be opened");
        }
    }
    ~ClipboardOpen() {
        CloseClipboard();
        DestroyWindow(owner_);
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;

  private:
    HWND owner_;
};

void Put(UINT format, const void* bytes, size_t size) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::copy_n(static_cast<const char*>(bytes), size, static_cast<char*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    // Once accepted, the memory is the clipboard's.
    if (SetClipboardData(format, memory) == nullptr) {
        GlobalFree(memory);
        Fail(L"the clipboard refused format " + std::to_wstring(format));
    }
}

void PutText(const std::wstring& text) {
    Put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

// A header of byte offsets (of fixed width, so of known length) into the UTF-8 document.
void PutHtml(const std::wstring& text) {
    const char* header =
        "Version:0.9\r\nStartHTML:%08zu\r\nEndHTML:%08zu\r\nStartFragment:%08zu\r\n"
        "EndFragment:%08zu\r\n";
    const std::string before = "<html><body><!--StartFragment--><b>";
    const std::string after = "</b><!--EndFragment--></body></html>";
    const size_t start = static_cast<size_t>(std::snprintf(nullptr, 0, header, 0, 0, 0, 0, 0));
    const std::string document = before + Utf8(text) + after;
    std::string html(start + 1, '\0');
    std::snprintf(html.data(), html.size(), header, start, start + document.size(),
                  start + before.size(), start + document.size() - after.size());
    html.replace(start, 1, document);
    Put(RegisterClipboardFormatW(L"HTML Format"), html.c_str(), html.size() + 1);
    PutText(text);
}

void PutBitmap() {
    std::array<uint32_t, 16 * 8> pixels{};
    for (uint32_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = 0x00102030u * (i % 7) + 0x000f0000u * (i % 3);
    }
    const HBITMAP bitmap = CreateBitmap(16, 8, 1, 32, pixels.data());
    if (SetClipboardData(CF_BITMAP, bitmap) == nullptr) {
        DeleteObject(bitmap);
        Fail(L"the clipboard refused the bitmap");
    }
}

std::wstring Content(UINT format) {
    const HANDLE content = GetClipboardData(format);
    BITMAP bitmap{};
    if (format == CF_BITMAP && GetObjectW(content, sizeof(bitmap), &bitmap) != 0) {
        // Its pixels show in CF_DIB, which the system makes from it.
        return std::to_wstring(bitmap.bmWidth) + L"x" + std::to_wstring(bitmap.bmHeight);
    }
    if (format == CF_PALETTE || format == CF_ENHMETAFILE || format == CF_METAFILEPICT) {
        return L"handle";  // meaningful only to its owner
    }
    const auto* data = static_cast<const uint8_t*>(GlobalLock(content));
    if (data == nullptr) {
        return L"no data";
    }
    // FNV-1a: enough to tell two contents apart.
    uint64_t hash = 0xcbf29ce484222325ull;
    for (size_t i = 0; i < GlobalSize(content); ++i) {
        hash = (hash ^ data[i]) * 0x100000001b3ull;
    }
    GlobalUnlock(content);
    return std::to_wstring(GlobalSize(content)) + L" " + std::to_wstring(hash);
}

// Without the marks that keep the program's own content out of the clipboard history
// ("ExcludeClipboardContent...", "CanIncludeInClipboardHistory", "CanUploadToCloud
// Clipboard"): they are no part of what the user copied.
std::wstring ClipboardDump() {
    const ClipboardOpen clipboard;
    std::wstring dump;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        wchar_t name[64] = {};
        GetClipboardFormatNameW(format, name, 64);
        if (std::wstring(name).find(L"Clipboard") == std::wstring::npos) {
            dump += std::to_wstring(format) + L" " + Content(format) + L"\n";
        }
    }
    return dump;
}

void RunClipboard(const Args& args) {
    Need(args, 1, 2);
    if (args[0] == L"show" && args.size() == 1) {
        Write(STD_OUTPUT_HANDLE, ClipboardDump());
        return;
    }
    const ClipboardOpen clipboard;
    EmptyClipboard();
    if (args[0] == L"text" && args.size() == 2) {
        PutText(args[1]);
    } else if (args[0] == L"html" && args.size() == 2) {
        PutHtml(args[1]);
    } else if (args[0] == L"bitmap" && args.size() == 1) {
        PutBitmap();
    } else {
        throw UsageError{};
    }
}

// --- The line-copy editor: Ctrl+C with nothing selected copies the caret's line, marked
// "MSDEVLineSelect", and Ctrl+V of such a copy inserts it above the caret's line.

WNDPROC editProc = nullptr;

LRESULT CALLBACK LineCopyProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only copy and paste are its own; the control is asked nothing on other messages.
    if (message != WM_COPY && message != WM_PASTE) {
        return CallWindowProcW(editProc, edit, message, wParam, lParam);
    }
    const LRESULT selection = SendMessageW(edit, EM_GETSEL, 0, 0);
    const UINT mark = RegisterClipboardFormatW(L"MSDEVLineSelect");
    const LRESULT start = SendMessageW(edit, EM_LINEINDEX, static_cast<WPARAM>(-1), 0);
    if (message == WM_COPY && LOWORD(selection) == HIWORD(selection)) {
        const LRESULT length = SendMessageW(edit, EM_LINELENGTH, start, 0);
        const ClipboardOpen clipboard;
        EmptyClipboard();
        PutText(TextOf(edit).substr(start, length) + L"\r\n");
        Put(mark, "", 1);
        return 0;
    }
    if (message == WM_PASTE && IsClipboardFormatAvailable(mark)) {
        const ClipboardOpen clipboard;
        const ScopedGlobalLock text = LockGlobal(GetClipboardData(CF_UNICODETEXT));
        SendMessageW(edit, EM_SETSEL, start, start);
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.get()));
        return 0;
    }
    return CallWindowProcW(editProc, edit, message, wParam, lParam);
}

// The only top-level edit control: the scripts find it as "class:Edit".
void RunLineCopy(const Args& args) {
    Need(args, 0, 0);
    const HWND edit =
        CreateWindowExW(0, L"Edit", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | ES_MULTILINE, 300, 300,
                        400, 200, nullptr, nullptr, nullptr, nullptr);
    editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LineCopyProc)));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// --- The console ----------------------------------------------------------------------

// Killing a Wine program leaves the programs it started running: the driver, cmd and
// its console's host share a job that ends them all with the driver.
void RunConsoleProgram() {
    const ScopedHandle job(CreateJobObjectW(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    std::wstring command = L"cmd.exe";
    if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                 sizeof(limits)) ||
        !AssignProcessToJobObject(job.get(), GetCurrentProcess()) ||
        !CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                        nullptr, nullptr, &startup, &started)) {
        Fail(L"cmd does not start in a job");
    }
    const ScopedHandle thread(started.hThread);
    const ScopedHandle process(started.hProcess);
    WaitForSingleObject(process.get(), INFINITE);
}

// Wine's console window belongs to conhost.exe, whose parent is the program in it.
DWORD ConsoleProgram(HWND console) {
    DWORD host = 0;
    GetWindowThreadProcessId(console, &host);
    const ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == host) {
            return entry.th32ParentProcessID;
        }
    }
    Fail(L"the console's host has ended");
}

// Runs `use` attached to Wine's console window, with its input and screen buffer. The
// console becomes the driver's standard output meanwhile: the script's is put back.
bool InConsole(const std::function<bool(HANDLE input, HANDLE screen)>& use) {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    const DWORD program = ConsoleProgram(Window(L"class:WineConsoleClass"));
    const auto open = [](const wchar_t* name) {
        return ScopedHandle(CreateFileW(name, GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
    };
    FreeConsole();
    const bool done = AttachConsole(program) && use(open(L"CONIN$").get(), open(L"CONOUT$").get());
    FreeConsole();
    SetStdHandle(STD_OUTPUT_HANDLE, output);
    SetStdHandle(STD_ERROR_HANDLE, error);
    return done;
}

bool TypeInto(HANDLE input, const std::wstring& text) {
    std::vector<INPUT_RECORD> strokes;
    for (const wchar_t typed : text) {
        for (const BOOL down : {TRUE, FALSE}) {
            strokes.push_back({KEY_EVENT, {}});
            strokes.back().Event.KeyEvent = {down, 1, LOBYTE(VkKeyScanW(typed)), 0, {typed}, 0};
        }
    }
    DWORD written = 0;
    return WriteConsoleInputW(input, strokes.data(), static_cast<DWORD>(strokes.size()),
                              &written) &&
           written == strokes.size();
}

// The lines up to the cursor's, without trailing blanks; none when it cannot be read.
std::wstring ScreenOf(HANDLE screen) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    std::wstring lines;
    if (!GetConsoleScreenBufferInfo(screen, &info)) {
        return lines;
    }
    for (SHORT row = 0; row <= info.dwCursorPosition.Y; ++row) {
        std::wstring line(static_cast<size_t>(info.dwSize.X), L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(screen, line.data(), static_cast<DWORD>(line.size()), {0, row},
                                    &read);
        line.erase(line.find_last_not_of(L' ') + 1);
        lines += line + L"\n";
    }
    return lines;
}

void RunConsole(const Args& args) {
    Need(args, 1, 2);
    if (args[0] == L"run" && args.size() == 1) {
        RunConsoleProgram();
    } else if (args[0] == L"type" && args.size() == 2) {
        Activate(Window(L"class:WineConsoleClass"));
        std::wstring text = Unescaped(args[1]);
        std::erase(text, L'\n');  // a line end is the Enter key's CR alone
        if (!InConsole([&](HANDLE input, HANDLE) { return TypeInto(input, text); })) {
            Fail(L"the console takes no input");
        }
    } else if (args[0] == L"screen" && args.size() == 1) {
        std::wstring lines;
        if (!InConsole(
                [&](HANDLE, HANDLE screen) { return !(lines = ScreenOf(screen)).empty(); })) {
            Fail(L"the console cannot be read");
        }
        Write(STD_OUTPUT_HANDLE, lines);
    } else {
        throw UsageError{};
    }
}

void Act(const Args& action, const std::function<bool()>& untouched) {
    if (action.at(0) == L"keys") {
        Need(action, 2, 3);
        Press(action[1], action.size() == 3 ? Number(action[2]) : 0, untouched);
    } else if (action[0] == L"button") {
        Need(action, 3, 3);
        Post(Child(Window(action[1]), L"Button", action[2]), BM_CLICK);
    } else if (action[0] == L"held-clipboard") {
        Need(action, 3, 3);
        const ClipboardOpen clipboard;
        Press(action[2], 0, [] { return true; });
        Sleep(Number(action[1]));
    } else {
        throw UsageError{};
    }
}

void RunConvert(const Args& args) {
    Need(args, 3, 6);
    const HWND edit = TargetControl(args[0]);
    const std::wstring expected = Unescaped(args[1]);
    const std::wstring original = TextOf(edit);
    const std::wstring before = ClipboardDump();
    const DWORD sequence = GetClipboardSequenceNumber();
    const auto start = std::chrono::steady_clock::now();
    Act({args.begin() + 2, args.end()}, [&] { return TextOf(edit) == original; });
    WaitUntilHolds(edit, expected);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::wstring after;
    const auto userClipboardBack = [&] {
        after = ClipboardDump();
        return GetClipboardSequenceNumber() != sequence && after == before;
    };
    if (!PollUntil(kTimeoutMs, userClipboardBack, kClipboardPollMs)) {
        Fail(L"the user's clipboard was\n" + before + L"and is\n" + after);
    }
    wchar_t milliseconds[32] = {};
    swprintf(milliseconds, 32, L"%.1f\n", took.count());
    Write(STD_OUTPUT_HANDLE, milliseconds);
}

const std::map<std::wstring, void (*)(const Args&)> kCommands = {
    {L"wait", RunWait},
    {L"text", RunText},
    {L"press", RunPress},
    {L"select", RunSelect},
    {L"close", RunClose},
    {L"place", RunPlace},
    {L"end-session", RunEndSession},
    {L"tray", RunTray},
    {L"shell-restarted", RunShellRestarted},
    {L"keys", RunKeys},
    {L"hotkey", RunHotkey},
    {L"target", RunTarget},
    {L"holds", RunHolds},
    {L"linecopy", RunLineCopy},
    {L"console", RunConsole},
    {L"clipboard", RunClipboard},
    {L"convert", RunConvert},
};

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    try {
        const auto command = argc > 1 ? kCommands.find(argv[1]) : kCommands.end();
        if (command == kCommands.end()) {
            throw UsageError{};
        }
        command->second(Args(argv + 2, argv + argc));
        return 0;
    } catch (const Failure& failure) {
        Write(STD_ERROR_HANDLE, failure.what + L"\n");
        return 1;
    } catch (const UsageError&) {
        Write(STD_ERROR_HANDLE, L"wrong command line; the commands are in driver/main.cpp\n");
        return 2;
    }
}
