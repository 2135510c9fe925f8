#!/usr/bin/env bash
# A first start in a folder without a settings file writes the defaults and the Run
# value, shows no window and puts its icon in the notification area; a second start
# is refused; "E&xit" from the tray menu saves the window state, removes the icon,
# gives the hotkeys back and ends the program.
source "$(dirname "$0")/program-common.sh"

program_start_resident
ini=$(program_ini)

expected="$E2E_DIR/expected.ini"
printf '%s\n' '[Zenvoral]' 'Delay=0.06' 'AutoSwitchKeyboard=1' 'StartWithWindows=1' \
    'HotKey1=8;F9' 'Hotkey2=8;F10' 'Hotkey3=8;F11' 'Layout1=English (101 Keys)' \
    'Layout2=Arabic (101 Keys)' >"$expected"
[[ -f $ini ]] || e2e_fail "no settings file was written"
diff -u "$expected" <(tr -d '\r' <"$ini" | sed '/^$/d') >&2 ||
    e2e_fail "the settings file does not hold the eight defaults"

wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v UxZenvoral \
    </dev/null >"$E2E_DIR/run-value" 2>&1 || e2e_fail "no Run value"
grep -qF "$E2E_PROGRAM_WIN" "$E2E_DIR/run-value" || {
    cat "$E2E_DIR/run-value" >&2
    e2e_fail "the Run value does not name $E2E_PROGRAM_WIN"
}

main_window_expect hidden
e2e_expect_no_message_box
tray_icon_expect present
driver hotkey-free win+F9 2>/dev/null && e2e_fail "Win+F9 is not held by the program"

# A second copy is refused and ends; the first goes on as before.
first_pid=$E2E_PROGRAM_PID
e2e_start_zenvoral
second_pid=$E2E_PROGRAM_PID
e2e_wait_message_box
e2e_expect_message_text 'Already running!\n'
e2e_press_message_box_button OK
E2E_PROGRAM_PID=$second_pid
e2e_wait_zenvoral_exit || e2e_fail "the second copy still runs"
E2E_PROGRAM_PID=$first_pid
e2e_expect_running
tray_icon_expect present
driver hotkey-free win+F9 2>/dev/null && e2e_fail "the first copy lost Win+F9"

# Closing the main window only hides it, and writes nothing.
keys win+F11
main_window_expect shown-on-top
cp "$ini" "$E2E_DIR/before-close.ini"
main_window close-window || e2e_fail "cannot close the main window"
main_window_expect hidden
e2e_expect_running
cmp -s "$ini" "$E2E_DIR/before-close.ini" || e2e_fail "closing the window wrote settings"

read -r left top _ < <(main_window window-rect) || e2e_fail "no place of the main window"
program_exit_from_menu
tr -d '\r' <"$ini" >"$E2E_DIR/after-exit.ini"
# 15 twips to a pixel at the display's 96 dots per inch.
for expected_line in "WindowTop=$((top * 15))" "WindowLeft=$((left * 15))" "AlwaysVisible=1"; do
    grep -qx "$expected_line" "$E2E_DIR/after-exit.ini" || {
        cat "$E2E_DIR/after-exit.ini" >&2
        e2e_fail "the settings file lacks $expected_line after E&xit"
    }
done
harness_poll 10 bash -c '! xdotool search --onlyvisible --name "^Wine System Tray$" >/dev/null' ||
    e2e_fail "an icon is still in the notification area"
driver hotkey-free win+F9 || e2e_fail "Win+F9 is still held after E&xit"
driver hotkey-free win+F11 || e2e_fail "Win+F11 is still held after E&xit"
