#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/scoped_win.h"
#include "capture/win32_capture.h"
#include "program/layouts.h"
#include "program/notice_gate.h"
#include "program/program_texts.h"
#include "program/tray_icon.h"
#include "program/win32_hotkeys.h"
#include "settings/program_settings.h"
#include "settings/run_value.h"
#include "settings/settings_store.h"

// What the process returns when the program ended because layouts.txt was missing,
// and when its main window could not be made.
inline constexpr int kExitCodeMissingLayouts = 1;
inline constexpr int kExitCodeNoMainWindow = 2;

// The children of frmMain and what they draw with, sized for the window's DPI.
struct MainWindowControls {
    HWND buttonFrame = nullptr;
    std::array<HWND, kConversionButtonCount> conversionButtons = {};
    HWND pinToggle = nullptr;
    HWND toolTips = nullptr;
    ScopedIcon pinOffImage;
    ScopedIcon pinOnImage;
    ScopedIcon trayImage;
    ScopedIcon bigIcon;
    ScopedIcon smallIcon;
    ScopedFont font;
    int dotsPerInch = 96;
};

// Everything the running program holds. wWinMain owns the one instance; the main
// window's procedure reaches it through its GWLP_USERDATA.
struct ProgramState {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;  // MainWindowHandle; null once the window is destroyed
    std::wstring executablePath;
    std::wstring programFolder;

    std::optional<cProfile> settingsFile;  // made once the settings file's path is known
    cRegistry runValue;
    ProgramSettings settings;
    LayoutLoad layouts;

    std::optional<Win32CaptureServices> capture;  // the clipboard and key services
    CycleState cycle;
    std::optional<Win32GlobalHotkeys> hotkeys;
    std::optional<TrayIcon> trayIcon;
    NoticeGate notices;  // the tray balloons after requests that could not act
    UINT taskbarCreatedMessage = 0;

    MainWindowControls controls;
    int32_t pinState = 0;  // the pin toggle: 0, 1 or 2
    HWND aboutWindow = nullptr;
    HWND previousForeground = nullptr;  // the user's window when the main window came up

    bool startedUp = false;      // hotkeys act from the end of start-up on
    bool unloaded = false;       // the unload has run
    bool unloadPending = false;  // asked for while a conversion was running
    int exitCode = 0;            // what the process returns when the main window goes
};

// The program's settings file and Run value, through the settings library.
void LoadProgramSettings(ProgramState& state);
void SaveProgramSettings(ProgramState& state);

// Ends the program the one way there is: the main window's "E&xit", posted, so it runs
// once whatever asks for it (start-up, a dialog) has returned.
void PostExitCommand(ProgramState& state, int exitCode);
