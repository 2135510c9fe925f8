#!/usr/bin/env bash
# Windows shutting down or the user logging off ends the program the way "E&xit"
# does: the window's place and the pin are saved and the hotkeys are given back.
source "$(dirname "$0")/program-common.sh"

program_start_resident
read -r left top _ < <(main_window window-rect) || e2e_fail "no place of the main window"
main_window end-session || e2e_fail "the program did not agree to end the session"
e2e_wait_zenvoral_exit || e2e_fail "the program still runs after the session ended"
tr -d '\r' <"$(program_ini)" >"$E2E_DIR/after.ini"
for expected_line in "WindowTop=$((top * 15))" "WindowLeft=$((left * 15))" "AlwaysVisible=1"; do
    grep -qx "$expected_line" "$E2E_DIR/after.ini" || {
        cat "$E2E_DIR/after.ini" >&2
        e2e_fail "the settings file lacks $expected_line after the session ended"
    }
done
driver hotkey-free win+F9 || e2e_fail "Win+F9 is still held after the session ended"
