#include "program/main_window.h"

#include "capture/win32_capture.h"

#include <commctrl.h>

#include "program/about_window.h"
#include "program/conversion_wiring.h"
#include "program/hotkey_dispatch.h"
#include "program/main_window_rules.h"
#include "program/options_wiring.h"
#include "program/resources/resource_ids.h"
#include "program/start_up.h"
#include "program/tray_icon.h"
#include "program/window_geometry.h"

namespace {

constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kMainWindowExStyle = WS_EX_DLGMODALFRAME;
constexpr int kDefaultDotsPerInch = 96;
constexpr int kFontPoints = 8;
constexpr UINT kDpiChangedMessage = 0x02E0;  // WM_DPICHANGED
constexpr float kKeyboardBackLimit = 1.0f;   // seconds
constexpr DWORD kInputIdleLimitMs = 500;

const std::array<const wchar_t*, kConversionButtonCount> kDesignCaptions = {
    L"E", L"A", L"&Upper case", L"&Lower case", L"&Capitalize"};

int SystemDotsPerInch() {
    const HDC screen = GetDC(nullptr);
    const int dotsPerInch = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dotsPerInch > 0 ? dotsPerInch : kDefaultDotsPerInch;
}

void LinkState(HWND window, LPARAM createParameters) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(createParameters);
    auto* state = static_cast<ProgramState*>(create->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->mainWindow = window;
}

OwnedIcon LoadIconAtSize(HINSTANCE instance, int id, int pixels) {
    return OwnedIcon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, pixels, pixels, 0)));
}

OwnedFont CreateDialogFont(int dotsPerInch) {
    return OwnedFont(CreateFontW(-MulDiv(kFontPoints, dotsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE,
                                 FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                 L"MS Shell Dlg 2"));
}

// Images and font for the window's current DPI.
void LoadDrawingResources(ProgramState& state) {
    MainWindowControls& controls = state.controls;
    const int dpi = controls.dotsPerInch;
    const int small = MulDiv(16, dpi, kDefaultDotsPerInch);
    controls.pinOffImage = LoadIconAtSize(state.instance, IDI_PIN_OFF, small);
    controls.pinOnImage = LoadIconAtSize(state.instance, IDI_PIN_ON, small);
    controls.smallIcon = LoadIconAtSize(state.instance, IDI_ZENVORAL, small);
    controls.bigIcon = LoadIconAtSize(state.instance, IDI_ZENVORAL, MulDiv(32, dpi, 96));
    controls.font = CreateDialogFont(dpi);
}

void PlaceControl(HWND control, const TwipsRect& place, int dpi) {
    if (control == nullptr) {
        return;
    }
    const int left = TwipsToPixels(place.Left, dpi);
    const int top = TwipsToPixels(place.Top, dpi);
    SetWindowPos(control, nullptr, left, top, TwipsToPixels(place.Left + place.Width, dpi) - left,
                 TwipsToPixels(place.Top + place.Height, dpi) - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ApplyFont(HWND control, HFONT font) {
    if (control != nullptr) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void ShowPinImage(ProgramState& state) {
    const HICON image = PinShowsOnImage(state.pinState) ? state.controls.pinOnImage.get()
                                                        : state.controls.pinOffImage.get();
    SendMessageW(state.controls.Check1, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(image));
}

// Places and sizes from the twips design at the window's DPI.
void LayOutMainWindow(ProgramState& state) {
    MainWindowControls& controls = state.controls;
    const int dpi = controls.dotsPerInch;
    PlaceControl(controls.Frame1, kFramePlace, dpi);
    for (size_t index = 0; index < controls.Command1.size(); ++index) {
        PlaceControl(controls.Command1[index], kConversionButtonPlaces[index], dpi);
    }
    PlaceControl(controls.Check1, kPinPlace, dpi);
    ApplyFont(controls.Frame1, controls.font.get());
    for (const HWND button : controls.Command1) {
        ApplyFont(button, controls.font.get());
    }
    ShowPinImage(state);
    SendMessageW(state.mainWindow, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(controls.smallIcon.get()));
    SendMessageW(state.mainWindow, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(controls.bigIcon.get()));
}

SIZE MainWindowSizeForClient(int dpi) {
    RECT frame{0, 0, TwipsToPixels(kMainClientWidthTwips, dpi),
               TwipsToPixels(kMainClientHeightTwips, dpi)};
    AdjustWindowRectEx(&frame, kMainWindowStyle, FALSE, kMainWindowExStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

HWND CreateChild(ProgramState& state, const wchar_t* className, const wchar_t* text, DWORD style,
                 int id) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                           state.mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           state.instance, nullptr);
}

void AddToolTip(ProgramState& state, HWND control, const std::wstring& text) {
    if (state.controls.toolTips == nullptr || control == nullptr) {
        return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = state.mainWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(state.controls.toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SetToolTipText(ProgramState& state, HWND control, const std::wstring& text) {
    if (state.controls.toolTips == nullptr || control == nullptr) {
        return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = state.mainWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(state.controls.toolTips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CreateMainWindowControls(ProgramState& state) {
    MainWindowControls& controls = state.controls;
    controls.dotsPerInch = WindowDotsPerInch(state.mainWindow);
    LoadDrawingResources(state);
    controls.Frame1 = CreateChild(state, WC_BUTTONW, L"Convert to: ", BS_GROUPBOX, IDC_FRAME1);
    for (size_t index = 0; index < controls.Command1.size(); ++index) {
        controls.Command1[index] =
            CreateChild(state, WC_BUTTONW, kDesignCaptions[index], BS_PUSHBUTTON | WS_TABSTOP,
                        IDC_COMMAND1_FIRST + static_cast<int>(index));
    }
    controls.Check1 = CreateChild(state, WC_BUTTONW, L"Check1",
                                  BS_CHECKBOX | BS_PUSHLIKE | BS_ICON | WS_TABSTOP, IDC_CHECK1);
    controls.toolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                        state.mainWindow, nullptr, state.instance, nullptr);
    for (const HWND button : controls.Command1) {
        AddToolTip(state, button, L"");
    }
    AddToolTip(state, controls.Check1, kPinToolTip);
    LayOutMainWindow(state);
}

void OnDpiChanged(ProgramState& state, WPARAM wParam, LPARAM lParam) {
    state.controls.dotsPerInch = LOWORD(wParam);
    LoadDrawingResources(state);
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(state.mainWindow, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutMainWindow(state);
}

void OnDestroy(HWND window) {
    ProgramState* state = StateOf(window);
    if (state == nullptr) {
        PostQuitMessage(0);
        return;
    }
    state->mainWindow = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    PostQuitMessage(state->exitCode);
}

// Menu items and control notifications. True when the command was ours.
bool OnCommand(ProgramState& state, WORD id, WORD notification) {
    if (id >= IDC_COMMAND1_FIRST && id < IDC_COMMAND1_FIRST + kConversionButtonCount) {
        if (notification == BN_CLICKED) {
            Command1_Click(state, id - IDC_COMMAND1_FIRST);
        }
        return true;
    }
    switch (id) {
        case IDC_CHECK1:
            if (notification == BN_CLICKED) {
                SetPinState(state, PinStateAfterClick(state.pinState));
            }
            return true;
        case IDM_SHOW:
            ShowMainWindow(state);
            return true;
        case IDM_OPTIONS:
            ShowOptions(state);
            return true;
        case IDM_ABOUT:
            ShowAboutWindow(state);
            return true;
        case IDM_EXIT:
            UnloadMainWindow(state);  // mnuExit_Click
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        LinkState(window, lParam);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    ProgramState* state = StateOf(window);
    if (state == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == state->taskbarCreatedMessage && message != 0) {
        // The shell restarted and lost every icon: put ours back.
        if (state->trayIcon) {
            state->trayIcon->Add();
        }
        return 0;
    }
    switch (message) {
        case WM_COMMAND:
            if (OnCommand(*state, LOWORD(wParam), HIWORD(wParam))) {
                return 0;
            }
            break;
        case kTrayCallbackMessage:
            OnTrayMessage(*state, lParam);
            return 0;
        case WM_CLOSE:
            // Form_QueryUnload: the close button only hides; the program stays resident.
            HideMainWindow(*state);
            return 0;
        case WM_QUERYENDSESSION:
            // Agree; the program ends when the session really does (WM_ENDSESSION), so a
            // shutdown cancelled by another program leaves it running.
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                UnloadMainWindow(*state);
            }
            return 0;
        case kDpiChangedMessage:
            OnDpiChanged(*state, wParam, lParam);
            return 0;
        case WM_DESTROY:
            OnDestroy(window);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool IsOwnWindow(const ProgramState& state, HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId() && state.mainWindow != nullptr;
}

bool IsMainWindowOrChild(const ProgramState& state, HWND window) {
    return state.mainWindow != nullptr &&
           (window == state.mainWindow || IsChild(state.mainWindow, window));
}

}  // namespace

MainWindowClass::MainWindowClass(HINSTANCE instance) : instance_(instance), atom_(0) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ZENVORAL));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClassName;
    atom_ = RegisterClassExW(&windowClass);
}

MainWindowClass::~MainWindowClass() {
    if (atom_ != 0) {
        UnregisterClassW(kMainWindowClassName, instance_);
    }
}

ProgramState* StateOf(HWND window) {
    return reinterpret_cast<ProgramState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

int WindowDotsPerInch(HWND window) {
    // GetDpiForWindow exists from Windows 10 1607 on; older systems scale the whole
    // screen alike.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const FARPROC found = user32 != nullptr ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
    if (found != nullptr && window != nullptr) {
        const auto dpiForWindow =
            reinterpret_cast<DpiForWindow>(reinterpret_cast<void (*)()>(found));
        const UINT dotsPerInch = dpiForWindow(window);
        if (dotsPerInch != 0) {
            return static_cast<int>(dotsPerInch);
        }
    }
    return SystemDotsPerInch();
}

bool CreateMainWindow(ProgramState& state) {
    const SIZE size = MainWindowSizeForClient(SystemDotsPerInch());
    const HWND window = CreateWindowExW(
        kMainWindowExStyle, kMainWindowClassName, kProgramTitle.c_str(), kMainWindowStyle,
        CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, state.instance, &state);
    if (window == nullptr) {
        return false;
    }
    CreateMainWindowControls(state);
    if (state.controls.dotsPerInch != SystemDotsPerInch()) {
        const SIZE scaled = MainWindowSizeForClient(state.controls.dotsPerInch);
        SetWindowPos(window, nullptr, 0, 0, scaled.cx, scaled.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    state.controls.trayImage =
        LoadIconAtSize(state.instance, IDI_ZENVORAL, GetSystemMetrics(SM_CXSMICON));
    return true;
}

void ShowMainWindow(ProgramState& state) {
    if (state.mainWindow == nullptr) {
        return;
    }
    const HWND foreground = GetForegroundWindow();
    if (foreground != nullptr && !IsOwnWindow(state, foreground)) {
        state.previousForeground = foreground;
    }
    ShowWindow(state.mainWindow, SW_SHOW);
    SetForegroundWindow(state.mainWindow);
    // Every appearance is on top of other windows; the window never leaves that band.
    static_cast<void>(SetWindowPos(state.mainWindow, HWND_TOPMOST, 0, 0, 0, 0,
                                   SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW));
}

void HideMainWindow(ProgramState& state) {
    if (state.mainWindow != nullptr) {
        ShowWindow(state.mainWindow, SW_HIDE);
    }
}

void Command1_Click(ProgramState& state, int index) {
    // Hidden first, so the window the user was working in is active again and gets the
    // copy and paste keys. The system would activate whichever window is next in line,
    // which need not be that one.
    HideMainWindow(state);
    GiveKeyboardBack(state);
    RunConversion(state, ConversionButtonRequest(index, state.settings.AutoSwitchKeyboard != 0));
    if (PinBringsWindowBack(state.pinState)) {
        ShowMainWindow(state);
    }
}

void GiveKeyboardBack(ProgramState& state) {
    const HWND previous = state.previousForeground;
    if (previous == nullptr || IsWindowVisible(previous) == FALSE) {
        return;
    }
    SetForegroundWindow(previous);
    if (!state.capture) {
        return;
    }
    // The copy keys go to whatever has the keyboard when they are sent: wait, serving
    // our messages, until the user's window has it and has dealt with its activation.
    static_cast<void>(state.capture->Clock.WaitUntil(
        kKeyboardBackLimit, [previous] { return GetForegroundWindow() == previous; }));
    DWORD process = 0;
    GetWindowThreadProcessId(previous, &process);
    const HANDLE handle =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (handle != nullptr) {
        // A timeout or failure only means the keys come a little early, as without this.
        static_cast<void>(WaitForInputIdle(handle, kInputIdleLimitMs));
        CloseHandle(handle);
    }
}

void Check1_Click(ProgramState& state) {
    ShowPinImage(state);
}

void SetPinState(ProgramState& state, int32_t pinState) {
    state.pinState = AcceptedPinState(pinState);
    SendMessageW(state.controls.Check1, BM_SETCHECK,
                 PinShowsOnImage(state.pinState) ? BST_CHECKED : BST_UNCHECKED, 0);
    Check1_Click(state);
}

void SetLayoutButtonCaption(ProgramState& state, int buttonIndex, const std::wstring& caption) {
    if (buttonIndex != 0 && buttonIndex != 1) {
        return;
    }
    state.layoutButtonCaptions[static_cast<size_t>(buttonIndex)] = caption;
    const HWND button = state.controls.Command1[static_cast<size_t>(buttonIndex)];
    if (button != nullptr) {
        SetWindowTextW(button, caption.c_str());
    }
    // Tool tip and tray tip follow every load, so neither names a layout no longer used.
    if (state.startedUp) {
        SetToolTipText(state, button, ConversionButtonToolTip(buttonIndex, caption));
        RefreshTrayTip(state);
    }
}

void SetConversionButtonToolTips(ProgramState& state) {
    for (int index = 0; index < kConversionButtonCount; ++index) {
        const std::wstring caption =
            index < 2 ? state.layoutButtonCaptions[static_cast<size_t>(index)] : std::wstring();
        SetToolTipText(state, state.controls.Command1[static_cast<size_t>(index)],
                       ConversionButtonToolTip(index, caption));
    }
}

WindowPlaceTwips MainWindowPlaceTwips(const ProgramState& state) {
    RECT frame{};
    GetWindowRect(state.mainWindow, &frame);
    const int dpi = state.controls.dotsPerInch;
    return {PixelsToTwips(frame.left, dpi), PixelsToTwips(frame.top, dpi),
            PixelsToTwips(frame.right - frame.left, dpi),
            PixelsToTwips(frame.bottom - frame.top, dpi)};
}

void MoveMainWindowTwips(ProgramState& state, int32_t leftTwips, int32_t topTwips) {
    const int dpi = state.controls.dotsPerInch;
    SetWindowPos(state.mainWindow, nullptr, TwipsToPixels(leftTwips, dpi),
                 TwipsToPixels(topTwips, dpi), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT WorkAreaBottomRightTwips(const ProgramState& state) {
    RECT area{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) == FALSE) {
        area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const int dpi = state.controls.dotsPerInch;
    return {static_cast<LONG>(PixelsToTwips(area.right, dpi)),
            static_cast<LONG>(PixelsToTwips(area.bottom, dpi))};
}

int RunMessageLoop(ProgramState& state) {
    MSG message{};
    for (;;) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0) {
            return static_cast<int>(message.wParam);
        }
        if (result == -1) {
            return static_cast<int>(GetLastError());
        }
        // Form_KeyUp: the window sees Escape before its controls do.
        if (message.message == WM_KEYUP && message.wParam == VK_ESCAPE &&
            IsMainWindowOrChild(state, message.hwnd)) {
            HideMainWindow(state);
            continue;
        }
        if (state.aboutWindow != nullptr && IsDialogMessageW(state.aboutWindow, &message)) {
            continue;
        }
        if (state.mainWindow != nullptr && IsDialogMessageW(state.mainWindow, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
