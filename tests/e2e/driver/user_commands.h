#pragma once

#include "command_line.h"

// The user's hands and the shell's side, for the program under test.

// send-keys KEYS: presses KEYS through SendInput, as the keyboard would: "win+F9",
// "ctrl+shift+a", "escape". Modifiers go down first and up last.
int RunSendKeys(const CommandArguments& arguments);

// hotkey-free KEYS: true when no program holds the combination (the driver can
// register it for a moment).
int RunHotkeyFree(const CommandArguments& arguments);

// hold-hotkey KEYS TIMEOUT_MS: holds the combination as another application would, for
// at most TIMEOUT_MS (end the driver sooner by its PID); false at once when it is taken.
int RunHoldHotkey(const CommandArguments& arguments);

// wait-state [window options] TITLE STATE TIMEOUT_MS: waits until the window is in
// STATE: "shown-on-top" (visible and topmost), "hidden" or "foreground".
int RunWaitState(const CommandArguments& arguments);

// tray-icon [window options] TITLE present|absent TIMEOUT_MS: waits until the
// notification icon of that window (icon id 1) is there, or gone.
int RunTrayIcon(const CommandArguments& arguments);

// tray-drop [window options] TITLE: removes the window's icon behind its back, as a
// restarting shell loses every icon.
int RunTrayDrop(const CommandArguments& arguments);

// shell-restarted: announces "TaskbarCreated" to every top-level window, as a new shell
// does.
int RunShellRestarted(const CommandArguments& arguments);

// tray-callback [window options] TITLE MOUSE_MESSAGE: posts what the shell posts when
// the mouse acts on the icon (the program's callback message, MOUSE_MESSAGE in decimal:
// 513 left press, 516 right press, 515 left double click).
int RunTrayCallback(const CommandArguments& arguments);

// wait-menu open|closed TIMEOUT_MS: waits until a pop-up menu is open, or none is.
int RunWaitMenu(const CommandArguments& arguments);

// window-rect [window options] TITLE: prints left top right bottom in pixels.
int RunWindowRect(const CommandArguments& arguments);

// activate [window options] TITLE: brings the window to the foreground, as a click
// into it would.
int RunActivate(const CommandArguments& arguments);

// time-keys KEYS TARGET_TITLE TIMEOUT_MS: presses KEYS and prints the milliseconds until
// the text of the first edit control in the window TARGET_TITLE has changed.
int RunTimeKeys(const CommandArguments& arguments);

// end-session [window options] TITLE: tells the window that Windows is shutting down or
// the user logs off (WM_QUERYENDSESSION, then WM_ENDSESSION when it agrees).
int RunEndSession(const CommandArguments& arguments);
