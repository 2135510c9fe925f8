#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "capture/convert_cycle.h"
#include "engine/layout_table.h"
#include "settings/profile_store.h"
#include "settings/program_settings.h"
#include "settings/registry.h"
#include "settings/settings_file.h"
#include "program/ui_texts.h"

struct Win32CaptureServices;
class SystemHotkeyRegistrar;
class TrayIcon;

// An icon loaded at one size for one window; destroyed with the holder.
class OwnedIcon {
  public:
    OwnedIcon() = default;
    explicit OwnedIcon(HICON icon) : icon_(icon) {}
    ~OwnedIcon();
    OwnedIcon(OwnedIcon&& other) noexcept;
    OwnedIcon& operator=(OwnedIcon&& other) noexcept;
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;

    HICON get() const { return icon_; }

  private:
    HICON icon_ = nullptr;
};

// A GDI font; deleted with the holder.
class OwnedFont {
  public:
    OwnedFont() = default;
    explicit OwnedFont(HFONT font) : font_(font) {}
    ~OwnedFont();
    OwnedFont(OwnedFont&& other) noexcept;
    OwnedFont& operator=(OwnedFont&& other) noexcept;
    OwnedFont(const OwnedFont&) = delete;
    OwnedFont& operator=(const OwnedFont&) = delete;

    HFONT get() const { return font_; }

  private:
    HFONT font_ = nullptr;
};

// The children of frmMain and what they draw with, sized for the window's DPI.
struct MainWindowControls {
    HWND Frame1 = nullptr;
    std::array<HWND, 5> Command1 = {};
    HWND Check1 = nullptr;
    HWND toolTips = nullptr;
    OwnedIcon pinOffImage;  // Picture3
    OwnedIcon pinOnImage;   // Picture4
    OwnedIcon trayImage;    // Picture1(0)
    OwnedIcon bigIcon;
    OwnedIcon smallIcon;
    OwnedFont font;
    int dotsPerInch = 96;
};

// Everything the running program holds. wWinMain owns the one instance; the main
// window's procedures reach it through its GWLP_USERDATA and nowhere else.
struct ProgramState {
    ProgramState();
    ~ProgramState();
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;  // MainWindowHandle; null once the window is destroyed
    VersionNumbers version;
    std::wstring executablePath;

    cProfile profile;
    cRegistry registry;
    std::wstring IniFilePath;
    int32_t PlatformKind = 0;
    ProgramSettings settings;
    LayoutTable layouts;

    std::unique_ptr<Win32CaptureServices> capture;  // the clipboard and key services
    CycleState cycle;
    std::unique_ptr<SystemHotkeyRegistrar> hotkeys;
    std::unique_ptr<TrayIcon> trayIcon;
    UINT taskbarCreatedMessage = 0;

    WNDPROC PreviousWindowProc = nullptr;  // set while HotkeyWindowProc is installed

    MainWindowControls controls;
    std::array<std::wstring, 2> layoutButtonCaptions;
    int32_t pinState = 0;  // Check1: 0, 1 or 2
    HWND aboutWindow = nullptr;
    HWND previousForeground = nullptr;  // the user's window when the main window came up

    bool startedUp = false;      // Form_Load ran to its end
    bool unloaded = false;       // Form_Unload has run
    bool unloadPending = false;  // asked for while a conversion was running
    int exitCode = 0;            // what the process returns when the main window goes

    SettingsFile Settings() const { return SettingsFile{profile, IniFilePath}; }
};
