#!/usr/bin/env bash
# A first start in a folder without a settings file writes the eight defaults and the
# Run value, shows no window and puts its icon in the notification area; a second start
# is refused. From the icon's menu the main window shows, and closing it only hides it;
# an icon lost by a restarting shell comes back; "E&xit" saves the window's place and
# the pin, takes the icon away and gives the hotkeys back.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

start_resident
printf '%s\n' '[Zenvoral]' 'Delay=0.06' 'AutoSwitchKeyboard=1' 'StartWithWindows=1' \
    'HotKey1=8;F9' 'Hotkey2=8;F10' 'Hotkey3=8;F11' 'Layout1=English (101 Keys)' \
    'Layout2=Arabic (101 Keys)' >"$E2E_DIR/expected.ini"
diff -u "$E2E_DIR/expected.ini" <(settings | sed '/^$/d') >&2 ||
    fail "the settings file does not hold the eight defaults"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v UxZenvoral \
    </dev/null >"$E2E_DIR/run.log" 2>&1 || fail "no Run value"
grep -qF "Z:${PROGRAM_DIR//\//\\}\\Zenvoral.exe" "$E2E_DIR/run.log" ||
    fail "the Run value does not name the program: $(cat "$E2E_DIR/run.log")"
must "the main window is shown" wait "$MAIN" gone 0
must "a message box is open" wait "$BOX" gone 0
must "no icon in the notification area" tray "$MAIN" present
driver hotkey win+F9 2>/dev/null && fail "the program does not hold Win+F9"

harness_start_program "$PROGRAM_DIR/Zenvoral.exe"
PIDS+=("$HARNESS_PID")
expect_message 'Already running!\n'
close_message
harness_wait_exit "$HARNESS_PID" 30 || fail "the second copy still runs"
expect_running

tray_menu 1 s
must "\"&Show\" does not show the main window on top" wait "$MAIN" on-top
cp "$PROGRAM_DIR/Zenvoral.ini" "$E2E_DIR/before-close.ini"
must "cannot close the main window" close "$MAIN"
must "closing does not hide the main window" wait "$MAIN" gone
expect_running
cmp -s "$PROGRAM_DIR/Zenvoral.ini" "$E2E_DIR/before-close.ini" ||
    fail "closing the main window wrote settings"

must "cannot take the icon away" tray "$MAIN" drop
must "cannot announce a new shell" shell-restarted
must "the icon did not come back for the new shell" tray "$MAIN" present

read -r left top < <(driver place "$MAIN") || fail "no place of the main window"
tray_menu 3 x
expect_ended "after E&xit"
expect_saved "$left" "$top" 1
tray_gone() { ! harness_find_x_window '^Wine System Tray$' >/dev/null; }
harness_poll 10 tray_gone || fail "an icon stays in the notification area after E&xit"
must "Win+F9 is still held after E&xit" hotkey win+F9
must "Win+F11 is still held after E&xit" hotkey win+F11
