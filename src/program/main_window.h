#pragma once

#include <windows.h>

#include <string>

#include "program/program_state.h"

inline constexpr wchar_t kMainWindowClassName[] = L"ZenvoralMainWindow";

// The process's exit code when the program ended because layouts.txt was missing.
inline constexpr int kExitCodeMissingLayouts = 1;
// ... and when its main window could not be made.
inline constexpr int kExitCodeNoMainWindow = 2;

// Registers the main window's class for the lifetime of the object.
class MainWindowClass {
  public:
    explicit MainWindowClass(HINSTANCE instance);
    ~MainWindowClass();
    MainWindowClass(const MainWindowClass&) = delete;
    MainWindowClass& operator=(const MainWindowClass&) = delete;

    bool registered() const { return atom_ != 0; }

  private:
    HINSTANCE instance_;
    ATOM atom_;
};

// Creates frmMain hidden, with its controls, linked to the state (state.mainWindow is
// set while it is created). Returns false when it could not be created.
bool CreateMainWindow(ProgramState& state);

// The state linked to a window of ours, or null.
ProgramState* StateOf(HWND window);

// The window's dots per inch (the monitor's where the system tells it).
int WindowDotsPerInch(HWND window);

// Shows the main window, activated and in the topmost band, where it stays.
void ShowMainWindow(ProgramState& state);
void HideMainWindow(ProgramState& state);

// A conversion button: hide, convert the selection of the window that was active
// before, and come back when the pin is on.
void Command1_Click(ProgramState& state, int index);

// Gives the keyboard back to the window that was in the foreground when the main
// window came up, and waits a bounded time until that window has it.
void GiveKeyboardBack(ProgramState& state);

// The pin toggle was clicked (or set by start-up): show its state's image.
void Check1_Click(ProgramState& state);
void SetPinState(ProgramState& state, int32_t pinState);

// Caption of layout button 0 or 1; the button's tool tip follows it.
void SetLayoutButtonCaption(ProgramState& state, int buttonIndex, const std::wstring& caption);

// Step 13 of start-up: the tool tips of the five conversion buttons.
void SetConversionButtonToolTips(ProgramState& state);

// The main window's place in twips, on its monitor's scale.
struct WindowPlaceTwips {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};
WindowPlaceTwips MainWindowPlaceTwips(const ProgramState& state);
void MoveMainWindowTwips(ProgramState& state, int32_t leftTwips, int32_t topTwips);

// The work area holding the main window, right and bottom edges in twips.
POINT WorkAreaBottomRightTwips(const ProgramState& state);

// Dispatches messages until the main window is gone; returns the process's exit code.
// Escape released over the main window or one of its controls hides it.
int RunMessageLoop(ProgramState& state);
