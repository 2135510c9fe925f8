// zenvoral-testdriver COMMAND ARGUMENTS...
//
// The user's hands and eyes in the end-to-end tests, from inside Wine, where the X-side
// tools cannot see hidden windows, read controls or the clipboard. Each command is one
// step of a test script: exit code 0 when it happened (in time), 1 when it did not, 2
// for a wrong command line. A WINDOW is a top-level window's exact caption; hidden
// windows count, and a visible one is taken before a hidden one of the same caption.
// TEXT in the target's commands takes "\n" for a line end (CR LF in an edit control).
//
//   wait WINDOW exists|absent|shown|gone|hidden|on-top|foreground [TIMEOUT_MS]
//   text WINDOW                 the texts of its static controls, a line each
//   press WINDOW CAPTION        clicks the button with that caption ("&" left out)
//   select WINDOW ID ITEM       picks the row ITEM of list or combo box ID, as a click
//   close WINDOW | place WINDOW (prints left and top) | end-session WINDOW
//   tray WINDOW present|absent  waits for its notification icon (id 1) to be so
//   tray-drop WINDOW            takes the icon away, as a restarting shell loses it
//   shell-restarted             announces "TaskbarCreated", as a new shell does
//   menu open|closed            waits for a pop-up menu to be so
//   keys KEYS [HOLD_MS]         presses "win+F9", "ctrl+shift+a", "escape", "x"...;
//                               the modifiers stay down HOLD_MS after the key
//   hotkey-free KEYS | hold-hotkey KEYS MS   (as another application holding it)
//   target TEXT FROM TO         activates the target window, sets its text and selection
//   clipboard text TEXT | bitmap | html TEXT   the user's clipboard
//   convert EXPECTED keys KEYS [HOLD_MS] | button WINDOW CAPTION | held-clipboard MS KEYS
//       acts, waits until the target holds EXPECTED and the user's clipboard is back
//       as it was (every format, byte for byte), and prints the milliseconds from the
//       action to the text; held-clipboard keeps the clipboard open for MS around KEYS

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cwctype>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeoutMs = 20000;
constexpr DWORD kPollMs = 5;
// Opening the clipboard keeps the program under test out of it: not too often.
constexpr DWORD kClipboardPollMs = 25;
constexpr UINT kTrayIconId = 1;
constexpr int kProbeHotkeyId = 0x7A11;
constexpr wchar_t kTargetTitle[] = L"Zenvoral Target";

using Args = std::vector<std::wstring>;

struct Failure {
    std::wstring what;
};
struct UsageError {};

[[noreturn]] void Fail(const std::wstring& what) {
    throw Failure{what};
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

DWORD Number(const std::wstring& text) {
    const auto digit = [](wchar_t unit) { return unit >= L'0' && unit <= L'9'; };
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), digit)) {
        throw UsageError{};
    }
    return static_cast<DWORD>(std::stoul(text));
}

void Need(const Args& args, size_t least, size_t most) {
    if (args.size() < least || args.size() > most) {
        throw UsageError{};
    }
}

bool PollUntil(DWORD timeoutMs, const std::function<bool()>& happened, DWORD pauseMs = kPollMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!happened()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(pauseMs);
    }
    return true;
}

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// --- Windows --------------------------------------------------------------------------

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Asked with a bound: the program under test may be busy in a modal loop.
std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 2000, &copied)) {
        return {};
    }
    text.resize(copied);
    return text;
}

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&children));
    return children;
}

// The caption of a top-level window is kept by the system: no answer from its program
// is needed to read it.
std::vector<HWND> WindowsTitled(const std::wstring& title) {
    std::vector<HWND> found;
    for (const HWND window : TopLevelWindows()) {
        wchar_t caption[256] = {};
        GetWindowTextW(window, caption, 256);
        if (title == caption) {
            found.push_back(window);
        }
    }
    std::stable_partition(found.begin(), found.end(), IsWindowVisible);
    return found;
}

HWND Window(const std::wstring& title) {
    const std::vector<HWND> found = WindowsTitled(title);
    if (found.empty()) {
        Fail(L"no window \"" + title + L"\"");
    }
    return found.front();
}

HWND Child(HWND parent, const wchar_t* className, const std::wstring& text) {
    for (const HWND child : Children(parent)) {
        std::wstring caption = TextOf(child);
        std::erase(caption, L'&');
        if (CompareStringOrdinal(ClassOf(child).c_str(), -1, className, -1, TRUE) == CSTR_EQUAL &&
            caption == text) {
            return child;
        }
    }
    Fail(L"no " + std::wstring(className) + L" \"" + text + L"\"");
}

bool IsOnTop(HWND window) {
    return IsWindowVisible(window) && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

std::function<bool(const std::vector<HWND>&)> StateTest(const std::wstring& state) {
    using Windows = const std::vector<HWND>&;
    const auto any = [](Windows windows, auto test) {
        return std::any_of(windows.begin(), windows.end(), test);
    };
    const auto foreground = [](HWND window) { return window == GetForegroundWindow(); };
    const std::map<std::wstring, std::function<bool(Windows)>> tests = {
        {L"exists", [](Windows windows) { return !windows.empty(); }},
        {L"absent", [](Windows windows) { return windows.empty(); }},
        {L"shown", [=](Windows windows) { return any(windows, IsWindowVisible); }},
        {L"gone", [=](Windows windows) { return !any(windows, IsWindowVisible); }},
        {L"hidden",
         [=](Windows windows) { return !windows.empty() && !any(windows, IsWindowVisible); }},
        {L"on-top", [=](Windows windows) { return any(windows, IsOnTop); }},
        {L"foreground", [=](Windows windows) { return any(windows, foreground); }},
    };
    const auto test = tests.find(state);
    if (test == tests.end()) {
        throw UsageError{};
    }
    return test->second;
}

void RunWait(const Args& args) {
    Need(args, 2, 3);
    const auto test = StateTest(args[1]);
    const DWORD timeout = args.size() == 3 ? Number(args[2]) : kTimeoutMs;
    if (!PollUntil(timeout, [&] { return test(WindowsTitled(args[0])); })) {
        Fail(L"\"" + args[0] + L"\" is not " + args[1]);
    }
}

void RunText(const Args& args) {
    Need(args, 1, 1);
    for (const HWND child : Children(Window(args[0]))) {
        const std::wstring text = TextOf(child);
        if (ClassOf(child) == L"Static" && !text.empty()) {
            Write(STD_OUTPUT_HANDLE, text + L"\n");
        }
    }
}

// Posted, not sent: a click may end a modal loop in the program, and the driver must not
// depend on when that program gets round to answering.
void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(window, message, wParam, lParam)) {
        Fail(L"a message could not be posted");
    }
}

void RunPress(const Args& args) {
    Need(args, 2, 2);
    Post(Child(Window(args[0]), L"Button", args[1]), BM_CLICK, 0, 0);
}

void RunSelect(const Args& args) {
    Need(args, 3, 3);
    const HWND dialog = Window(args[0]);
    const int id = static_cast<int>(Number(args[1]));
    const HWND control = GetDlgItem(dialog, id);
    const bool listBox = control != nullptr && ClassOf(control) == L"ListBox";
    const LRESULT row =
        control == nullptr
            ? -1
            : SendMessageW(control, listBox ? LB_FINDSTRINGEXACT : CB_FINDSTRINGEXACT,
                           static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(args[2].c_str()));
    if (row < 0) {
        Fail(L"no row \"" + args[2] + L"\" in control " + args[1]);
    }
    Post(control, listBox ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    Post(dialog, WM_COMMAND, MAKEWPARAM(id, listBox ? LBN_SELCHANGE : CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(control));
}

void RunClose(const Args& args) {
    Need(args, 1, 1);
    Post(Window(args[0]), WM_CLOSE, 0, 0);
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
    // Posted: the program ends while handling it.
    Post(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
}

NOTIFYICONDATAW IconOf(HWND window) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = window;
    icon.uID = kTrayIconId;
    return icon;
}

void RunTray(const Args& args) {
    Need(args, 2, 2);
    const HWND window = Window(args[0]);
    const bool wanted = args[1] == L"present";
    if (!wanted && args[1] != L"absent") {
        throw UsageError{};
    }
    // The shell refuses to change an icon it does not know.
    const auto present = [&] {
        NOTIFYICONDATAW icon = IconOf(window);
        return (Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE) == wanted;
    };
    if (!PollUntil(kTimeoutMs, present)) {
        Fail(L"the notification icon is not " + args[1]);
    }
}

void RunTrayDrop(const Args& args) {
    Need(args, 1, 1);
    NOTIFYICONDATAW icon = IconOf(Window(args[0]));
    if (!Shell_NotifyIconW(NIM_DELETE, &icon)) {
        Fail(L"there is no icon to take away");
    }
}

void RunShellRestarted(const Args& args) {
    Need(args, 0, 0);
    Post(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
}

void RunMenu(const Args& args) {
    Need(args, 1, 1);
    const bool wanted = args[0] == L"open";
    const auto open = [] {
        const std::vector<HWND> windows = TopLevelWindows();
        return std::any_of(windows.begin(), windows.end(), [](HWND window) {
            return ClassOf(window) == L"#32768" && IsWindowVisible(window);
        });
    };
    if (!PollUntil(kTimeoutMs, [&] { return open() == wanted; })) {
        Fail(L"no menu is " + args[0]);
    }
}

// --- Keys -----------------------------------------------------------------------------

struct Keys {
    std::vector<WORD> modifiers;  // pressed in this order
    WORD key = 0;
    UINT hotkeyModifiers = 0;
};

WORD KeyNamed(const std::wstring& name) {
    if (name == L"escape") {
        return VK_ESCAPE;
    }
    if (name.size() >= 2 && name[0] == L'f' && iswdigit(name[1])) {
        return static_cast<WORD>(VK_F1 + Number(name.substr(1)) - 1);
    }
    if (name.size() == 1 && iswalnum(name[0])) {
        return static_cast<WORD>(towupper(name[0]));
    }
    throw UsageError{};
}

Keys ParseKeys(std::wstring text) {
    static const std::map<std::wstring, std::pair<WORD, UINT>> kModifiers = {
        {L"win", {VK_LWIN, MOD_WIN}},
        {L"ctrl", {VK_CONTROL, MOD_CONTROL}},
        {L"shift", {VK_SHIFT, MOD_SHIFT}},
        {L"alt", {VK_MENU, MOD_ALT}}};
    std::transform(text.begin(), text.end(), text.begin(), towlower);
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
    keys.key = KeyNamed(text);
    return keys;
}

INPUT KeyEvent(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (key == VK_LWIN ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void Send(std::vector<INPUT> events) {
    if (SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT)) !=
        events.size()) {
        Fail(L"the system took only some of the key events");
    }
}

// As a hand does: modifiers down, the key down and up, HOLD_MS later the modifiers up;
// `whileHeld` is true all that time, or the press fails.
void Press(
    const std::wstring& text, DWORD holdMs = 0,
    const std::function<bool()>& whileHeld = [] { return true; }) {
    const Keys keys = ParseKeys(text);
    std::vector<INPUT> down;
    for (const WORD modifier : keys.modifiers) {
        down.push_back(KeyEvent(modifier, false));
    }
    down.push_back(KeyEvent(keys.key, false));
    down.push_back(KeyEvent(keys.key, true));
    Send(down);
    if (PollUntil(
            holdMs, [&] { return !whileHeld(); }, 1)) {
        Fail(L"the program acted while the modifiers were still down");
    }
    std::vector<INPUT> up;
    for (auto modifier = keys.modifiers.rbegin(); modifier != keys.modifiers.rend(); ++modifier) {
        up.push_back(KeyEvent(*modifier, true));
    }
    if (!up.empty()) {
        Send(up);
    }
}

void RunKeys(const Args& args) {
    Need(args, 1, 2);
    Press(args[0], args.size() == 2 ? Number(args[1]) : 0);
}

bool TakeHotkey(const std::wstring& text) {
    const Keys keys = ParseKeys(text);
    return RegisterHotKey(nullptr, kProbeHotkeyId, keys.hotkeyModifiers, keys.key) != FALSE;
}

void RunHotkeyFree(const Args& args) {
    Need(args, 1, 1);
    if (!TakeHotkey(args[0])) {
        Fail(L"another program holds " + args[0]);
    }
    UnregisterHotKey(nullptr, kProbeHotkeyId);
}

// Bounded, so a script that lost track of the holder does not lose the combination for
// every later test.
void RunHoldHotkey(const Args& args) {
    Need(args, 2, 2);
    if (!TakeHotkey(args[0])) {
        Fail(L"another program holds " + args[0]);
    }
    Sleep(Number(args[1]));
    UnregisterHotKey(nullptr, kProbeHotkeyId);
}

// --- The target (zenvoral-target.exe) ---------------------------------------------------

std::wstring Unescaped(const std::wstring& text) {
    std::wstring plain;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text.compare(at, 2, L"\\n") == 0) {
            plain += L"\r\n";
            ++at;
        } else {
            plain += text[at];
        }
    }
    return plain;
}

HWND TargetEdit() {
    const HWND edit = FindWindowExW(Window(kTargetTitle), nullptr, L"Edit", nullptr);
    if (edit == nullptr) {
        Fail(L"the target has no edit control");
    }
    return edit;
}

bool HasKeyboardFocus(HWND edit) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetForegroundWindow() == GetParent(edit) &&
           GetGUIThreadInfo(GetWindowThreadProcessId(edit, nullptr), &info) &&
           info.hwndFocus == edit;
}

// As the user clicks into the target: the keys that follow go to its edit.
void RunTarget(const Args& args) {
    Need(args, 3, 3);
    const HWND edit = TargetEdit();
    SetForegroundWindow(GetParent(edit));
    if (!PollUntil(kTimeoutMs, [&] { return HasKeyboardFocus(edit); })) {
        Fail(L"the target is not in the foreground with its edit focused");
    }
    const std::wstring text = Unescaped(args[0]);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(edit, EM_SETSEL, Number(args[1]), static_cast<LPARAM>(Number(args[2])));
}

// --- The clipboard --------------------------------------------------------------------

// The clipboard needs an owner window for its content to stick; a message-only one
// takes no foreground from the target.
class ClipboardOpen {
  public:
    ClipboardOpen()
        : owner_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr)),
          open_(PollUntil(2000, [this] { return OpenClipboard(owner_) != FALSE; })) {}
    ~ClipboardOpen() {
        if (open_) {
            CloseClipboard();
        }
        DestroyWindow(owner_);
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;

    bool IsOpen() const { return open_; }

  private:
    HWND owner_;
    bool open_;
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

// The HTML format: a header of byte offsets (of fixed width, so known in advance) into
// the UTF-8 document after it.
void PutHtml(const std::wstring& text) {
    const std::string fragment = "<b>" + Utf8(text) + "</b>";
    const std::string before = "<html><body><!--StartFragment-->";
    const std::string after = "<!--EndFragment--></body></html>";
    const char* layout =
        "Version:0.9\r\nStartHTML:%08zu\r\nEndHTML:%08zu\r\n"
        "StartFragment:%08zu\r\nEndFragment:%08zu\r\n";
    const size_t start = static_cast<size_t>(std::snprintf(nullptr, 0, layout, 0, 0, 0, 0, 0));
    const size_t end = start + before.size() + fragment.size() + after.size();
    std::string html(start + 1, '\0');
    std::snprintf(html.data(), html.size(), layout, start, end, start + before.size(),
                  end - after.size());
    html.resize(start);
    html += before + fragment + after;
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

void RunClipboard(const Args& args) {
    Need(args, 1, 2);
    const ClipboardOpen clipboard;
    if (!clipboard.IsOpen() || !EmptyClipboard()) {
        Fail(L"the clipboard cannot be opened");
    }
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

// FNV-1a: enough to tell two contents apart.
std::wstring Digest(const void* data, size_t size) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (size_t i = 0; i < size; ++i) {
        hash = (hash ^ static_cast<const uint8_t*>(data)[i]) * 0x100000001b3ull;
    }
    wchar_t text[24] = {};
    swprintf(text, 24, L"%016llx", static_cast<unsigned long long>(hash));
    return text;
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
    const void* data = GlobalLock(content);
    if (data == nullptr) {
        return L"no data";
    }
    const std::wstring digest =
        std::to_wstring(GlobalSize(content)) + L" " + Digest(data, GlobalSize(content));
    GlobalUnlock(content);
    return digest;
}

// The marks that keep the program's own temporary content out of clipboard history are
// no part of what the user copied.
bool IsHistoryMark(UINT format) {
    wchar_t name[64] = {};
    GetClipboardFormatNameW(format, name, 64);
    const std::wstring text = name;
    return text == L"ExcludeClipboardContentFromMonitorProcessing" ||
           text == L"CanIncludeInClipboardHistory" || text == L"CanUploadToCloudClipboard";
}

std::optional<std::wstring> ClipboardDump() {
    const ClipboardOpen clipboard;
    if (!clipboard.IsOpen()) {
        return std::nullopt;
    }
    std::wstring dump;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        if (!IsHistoryMark(format)) {
            dump += std::to_wstring(format) + L" " + Content(format) + L"\n";
        }
    }
    return dump;
}

void Act(const Args& action, const std::function<bool()>& untouched) {
    if (action.at(0) == L"keys") {
        Need(action, 2, 3);
        Press(action[1], action.size() == 3 ? Number(action[2]) : 0, untouched);
    } else if (action[0] == L"button") {
        Need(action, 3, 3);
        Post(Child(Window(action[1]), L"Button", action[2]), BM_CLICK, 0, 0);
    } else if (action[0] == L"held-clipboard") {
        Need(action, 3, 3);
        const ClipboardOpen clipboard;
        if (!clipboard.IsOpen()) {
            Fail(L"the clipboard cannot be opened");
        }
        Press(action[2]);
        Sleep(Number(action[1]));
    } else {
        throw UsageError{};
    }
}

void RunConvert(const Args& args) {
    Need(args, 2, 5);
    const std::wstring expected = Unescaped(args[0]);
    const HWND edit = TargetEdit();
    const std::optional<std::wstring> before = ClipboardDump();
    if (!before) {
        Fail(L"the clipboard cannot be opened");
    }
    const DWORD sequence = GetClipboardSequenceNumber();
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    const std::wstring original = TextOf(edit);
    Act(Args(args.begin() + 1, args.end()), [&] { return TextOf(edit) == original; });
    if (!PollUntil(
            kTimeoutMs, [&] { return TextOf(edit) == expected; }, 1)) {
        Fail(L"the target holds \"" + TextOf(edit) + L"\", not \"" + expected + L"\"");
    }
    const double milliseconds = MillisecondsSince(start);
    std::optional<std::wstring> after;
    const auto userClipboardBack = [&] {
        after = ClipboardDump();
        return GetClipboardSequenceNumber() != sequence && after == before;
    };
    if (!PollUntil(kTimeoutMs, userClipboardBack, kClipboardPollMs)) {
        Fail(L"the user's clipboard was\n" + *before + L"and is\n" +
             after.value_or(L"unreadable\n"));
    }
    wchar_t text[32] = {};
    swprintf(text, 32, L"%.1f\n", milliseconds);
    Write(STD_OUTPUT_HANDLE, text);
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
    {L"tray-drop", RunTrayDrop},
    {L"shell-restarted", RunShellRestarted},
    {L"menu", RunMenu},
    {L"keys", RunKeys},
    {L"hotkey-free", RunHotkeyFree},
    {L"hold-hotkey", RunHoldHotkey},
    {L"target", RunTarget},
    {L"clipboard", RunClipboard},
    {L"convert", RunConvert},
};

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    const auto command = argc > 1 ? kCommands.find(argv[1]) : kCommands.end();
    try {
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
