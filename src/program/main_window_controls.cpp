#include "program/main_window_controls.h"

#include <commctrl.h>

#include "program/resources/resource_ids.h"
#include "program/window_geometry.h"

namespace {

constexpr int kFontPoints = 8;

// The design in twips: the client area, the frame, the five conversion buttons and the
// pin toggle, in the client area.
struct TwipsRect {
    int Left, Top, Width, Height;
};
constexpr int kClientWidthTwips = 2910;
constexpr int kClientHeightTwips = 1845;
constexpr TwipsRect kButtonFramePlace = {60, 30, 2805, 1770};
constexpr std::array<TwipsRect, kConversionButtonCount> kConversionButtonPlaces = {{
    {150, 330, 1275, 405},
    {1485, 330, 1275, 405},
    {150, 780, 1275, 405},
    {1485, 780, 1275, 405},
    {150, 1245, 1275, 405},
}};
constexpr TwipsRect kPinTogglePlace = {1485, 1245, 1275, 405};

// The layout buttons' captions are replaced as soon as the layouts are loaded.
constexpr std::array<const wchar_t*, kConversionButtonCount> kDesignCaptions = {
    L"E", L"A", L"&Upper case", L"&Lower case", L"&Capitalize"};

ScopedIcon LoadIconAtSize(HINSTANCE instance, int id, int pixels) {
    return ScopedIcon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, pixels, pixels, 0)));
}

// Images and font for the window's current DPI.
void LoadDrawingResources(ProgramState& state) {
    MainWindowControls& controls = state.controls;
    const int small = MulDiv(16, controls.dotsPerInch, USER_DEFAULT_SCREEN_DPI);
    controls.pinOffImage = LoadIconAtSize(state.instance, IDI_PIN_OFF, small);
    controls.pinOnImage = LoadIconAtSize(state.instance, IDI_PIN_ON, small);
    controls.smallIcon = LoadIconAtSize(state.instance, IDI_ZENVORAL, small);
    controls.bigIcon = LoadIconAtSize(state.instance, IDI_ZENVORAL,
                                      MulDiv(32, controls.dotsPerInch, USER_DEFAULT_SCREEN_DPI));
    controls.font.reset(CreateFontW(-MulDiv(kFontPoints, controls.dotsPerInch, 72), 0, 0, 0,
                                    FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH, L"MS Shell Dlg 2"));
}

void PlaceControl(HWND control, const TwipsRect& place, int dpi, HFONT font) {
    const int left = TwipsToPixels(place.Left, dpi);
    const int top = TwipsToPixels(place.Top, dpi);
    SetWindowPos(control, nullptr, left, top, TwipsToPixels(place.Left + place.Width, dpi) - left,
                 TwipsToPixels(place.Top + place.Height, dpi) - top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void ShowPinImage(ProgramState& state) {
    const HICON image =
        state.pinState != 0 ? state.controls.pinOnImage.get() : state.controls.pinOffImage.get();
    SendMessageW(state.controls.pinToggle, BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(image));
}

// Places, sizes and images from the design at the window's DPI.
void LayOutMainWindow(ProgramState& state) {
    MainWindowControls& controls = state.controls;
    const int dpi = controls.dotsPerInch;
    PlaceControl(controls.buttonFrame, kButtonFramePlace, dpi, controls.font.get());
    for (size_t index = 0; index < controls.conversionButtons.size(); ++index) {
        PlaceControl(controls.conversionButtons[index], kConversionButtonPlaces[index], dpi,
                     controls.font.get());
    }
    PlaceControl(controls.pinToggle, kPinTogglePlace, dpi, controls.font.get());
    ShowPinImage(state);
    SendMessageW(state.mainWindow, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(controls.smallIcon.get()));
    SendMessageW(state.mainWindow, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(controls.bigIcon.get()));
}

HWND CreateChild(ProgramState& state, const wchar_t* text, DWORD style, int id) {
    return CreateWindowExW(0, WC_BUTTONW, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                           state.mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           state.instance, nullptr);
}

void SetToolTip(ProgramState& state, HWND control, const std::wstring& text, UINT message) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = state.mainWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(state.controls.toolTips, message, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

void CreateMainWindowControls(ProgramState& state) {
    MainWindowControls& controls = state.controls;
    controls.dotsPerInch = WindowDotsPerInch(state.mainWindow);
    LoadDrawingResources(state);
    controls.buttonFrame = CreateChild(state, L"Convert to: ", BS_GROUPBOX, IDC_BUTTON_FRAME);
    for (size_t index = 0; index < controls.conversionButtons.size(); ++index) {
        controls.conversionButtons[index] =
            CreateChild(state, kDesignCaptions[index], BS_PUSHBUTTON | WS_TABSTOP,
                        IDC_CONVERSION_FIRST + static_cast<int>(index));
    }
    controls.pinToggle =
        CreateChild(state, L"", BS_CHECKBOX | BS_PUSHLIKE | BS_ICON | WS_TABSTOP, IDC_PIN_TOGGLE);
    controls.toolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                        state.mainWindow, nullptr, state.instance, nullptr);
    for (const HWND button : controls.conversionButtons) {
        SetToolTip(state, button, L"", TTM_ADDTOOLW);
    }
    SetToolTip(state, controls.pinToggle, kPinToolTip, TTM_ADDTOOLW);
    ApplyDotsPerInch(state, controls.dotsPerInch);
    controls.trayImage =
        LoadIconAtSize(state.instance, IDI_ZENVORAL, GetSystemMetrics(SM_CXSMICON));
}

void ApplyDotsPerInch(ProgramState& state, int dotsPerInch) {
    state.controls.dotsPerInch = dotsPerInch;
    LoadDrawingResources(state);
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dotsPerInch),
               TwipsToPixels(kClientHeightTwips, dotsPerInch)};
    AdjustWindowRectEx(&frame, kMainWindowStyle, FALSE, kMainWindowExStyle);
    SetWindowPos(state.mainWindow, nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutMainWindow(state);
}

void ShowMainWindow(ProgramState& state) {
    if (state.mainWindow == nullptr) {
        return;
    }
    const HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    if (foreground != nullptr && process != GetCurrentProcessId()) {
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

void SetPinState(ProgramState& state, int32_t pinState) {
    state.pinState = pinState >= 0 && pinState <= 2 ? pinState : 0;
    SendMessageW(state.controls.pinToggle, BM_SETCHECK,
                 state.pinState != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    ShowPinImage(state);
}

void ShowLayoutCaptions(ProgramState& state) {
    const auto& buttons = state.controls.conversionButtons;
    for (size_t index = 0; index < buttons.size(); ++index) {
        const std::wstring caption =
            index < 2 ? state.layouts.ButtonCaptions[index] : std::wstring();
        if (index < 2) {
            SetWindowTextW(buttons[index], caption.c_str());
        }
        SetToolTip(state, buttons[index], ConversionButtonToolTip(static_cast<int>(index), caption),
                   TTM_UPDATETIPTEXTW);
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
