#pragma once

#include "command_line.h"

// Every window command takes these before its positional arguments:
//   --class NAME   only windows of this class ("#32770" is a message box)
//   --owner PATH   only windows of the process running this executable
//   --hidden       hidden windows count too
inline const std::vector<std::wstring> kWindowSwitches = {L"hidden"};

// wait-window TITLE TIMEOUT_MS: prints the window's handle once it exists.
int RunWaitWindow(const CommandArguments& arguments);

// wait-no-window TITLE TIMEOUT_MS: returns once no such window exists.
int RunWaitNoWindow(const CommandArguments& arguments);

// window-text TITLE: prints the text of each static control with text, each followed by
// a line feed (a message box has one: its message).
int RunWindowText(const CommandArguments& arguments);

// close-window TITLE: asks the window to close (WM_CLOSE), as its close button would.
int RunCloseWindow(const CommandArguments& arguments);

// press TITLE BUTTON_TEXT: clicks the button whose caption, "&" removed, is BUTTON_TEXT.
int RunPress(const CommandArguments& arguments);

// select TITLE CONTROL_ID ITEM_TEXT: selects the row with exactly that text in the list
// box or combo box with that id, and tells its dialog, as a click on the row would.
int RunSelect(const CommandArguments& arguments);
