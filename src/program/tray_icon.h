#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <string_view>

struct ProgramState;

// The message the notification icon sends to the main window; its lParam holds the
// mouse message that happened over the icon.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// The program's one notification-area icon, there from construction to destruction.
class TrayIcon {
  public:
    TrayIcon(HWND window, HICON icon, std::wstring tip);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon again: after the shell restarts, its old icons are gone.
    void Add();
    void SetTip(std::wstring tip);

    // A balloon over the icon with the program's name as its title. The shell shows it
    // without activating anything, so the user's window keeps the keyboard.
    void ShowBalloon(std::wstring_view text);

  private:
    NOTIFYICONDATAW Record(UINT flags) const;

    HWND window_;
    HICON icon_;
    std::wstring tip_;
};

// AddTrayIcon and RemoveTrayIcon of frmMain: the icon with the tip naming the layouts.
void AddTrayIcon(ProgramState& state);
void RemoveTrayIcon(ProgramState& state);

// Names the layouts loaded now; nothing when there is no icon.
void RefreshTrayTip(ProgramState& state);

// Pops up the tray menu at the mouse and returns once it has closed; the chosen item
// comes back to the main window as WM_COMMAND.
void ShowTrayMenu(ProgramState& state);
