#!/usr/bin/env bash
# The options dialog, opened from the tray menu and driven by its controls: Cancel after
# edits changes nothing; two equal layouts keep the dialog open behind their message;
# a new "Toggle layouts" combination and second layout, confirmed with OK, are saved and
# take effect at once (the old combination is given back); a combination another
# application holds gives the conflict message.
source "$(dirname "$0")/program-common.sh"

# Control ids of the dialog (src/ui/options/options_resource.h).
readonly LIST_ACTIONS=2005
readonly COMBO_KEY=2009
readonly COMBO_LAYOUT2=2014
readonly OPTIONS_TITLE="Options"
readonly HELD_KEYS="ctrl+shift+win+F12"

options() {
    local command=$1
    shift
    driver "$command" --owner "$E2E_PROGRAM_WIN" "$OPTIONS_TITLE" "$@"
}

options_open() {
    tray_open_menu 3
    menu_choose o
    driver wait-window --owner "$E2E_PROGRAM_WIN" "$OPTIONS_TITLE" "$PROGRAM_REACT_MS" \
        >/dev/null || e2e_fail "no options dialog"
}

options_select() {
    options select "$1" "$2" || e2e_fail "cannot select \"$2\" in control $1"
}

options_press() {
    options press "$1" || e2e_fail "cannot press \"$1\" in the options dialog"
}

options_x_window_gone() {
    ! harness_find_x_window "^$OPTIONS_TITLE\$" >/dev/null
}

# Closed for Wine and gone from the display too: until Wine has withdrawn the X window
# (about 2 s without a window manager), the activation that follows can still take the
# foreground from the window the user clicks into next.
options_expect_closed() {
    driver wait-no-window --owner "$E2E_PROGRAM_WIN" "$OPTIONS_TITLE" "$PROGRAM_REACT_MS" ||
        e2e_fail "the options dialog stays after $1"
    harness_poll $((PROGRAM_REACT_MS / 1000)) options_x_window_gone ||
        e2e_fail "the options dialog stays on the display after $1"
}

# The settings file byte for byte, or the word "absent".
settings_snapshot() {
    local ini
    ini=$(program_ini)
    if [[ -f $ini ]]; then
        cp "$ini" "$1"
    else
        echo absent >"$1"
    fi
}

# The settings file as text (it may be written as UTF-16), without CRs.
settings_text() {
    local ini
    ini=$(program_ini)
    [[ -f $ini ]] || e2e_fail "no settings file"
    if [[ $(head -c 2 "$ini" | od -An -tx1 | tr -d ' ') == fffe ]]; then
        iconv -f UTF-16 -t UTF-8 "$ini"
    else
        cat "$ini"
    fi | tr -d '\r'
}

expect_held_by_program() {
    if driver hotkey-free "$1" 2>/dev/null; then
        e2e_fail "$1 is free: the program does not hold it"
    fi
}

expect_free() {
    driver hotkey-free "$1" || e2e_fail "$1 is still held"
}

program_start_resident
e2e_start_target
settings_snapshot "$E2E_DIR/settings-before"

# Cancel after edits: the file, the hotkeys and the layouts stay as they were.
options_open
options_select "$LIST_ACTIONS" "Toggle layouts"
options_press "Ctrl +"
options_press "Win +"
options_select "$COMBO_KEY" "B"
options_select "$COMBO_LAYOUT2" "Russian (101 Keys)"
options_press Cancel
options_expect_closed Cancel
settings_snapshot "$E2E_DIR/settings-after-cancel"
cmp -s "$E2E_DIR/settings-before" "$E2E_DIR/settings-after-cancel" ||
    e2e_fail "Cancel changed the settings file"
expect_held_by_program win+F9
expect_free ctrl+B
target_activate
e2e_set_target 'hgsghl' 0 6
keys win+F9
target_expect 'السلام' "Win+F9 after Cancel"

# Both layouts the same: the message, and the dialog stays open behind it.
options_open
options_select "$COMBO_LAYOUT2" "English (101 Keys)"
options_press OK
e2e_wait_message_box
e2e_expect_message_text 'First and second layout must be different!\n'
e2e_press_message_box_button OK
options wait-window 0 >/dev/null || e2e_fail "the options dialog closed after the message"
options_press Cancel
options_expect_closed Cancel

# Ctrl+Shift+A toggles layouts, and the second layout is Russian.
options_open
options_select "$LIST_ACTIONS" "Toggle layouts"
options_press "Ctrl +"
options_press "Shift+"
options_press "Win +"
options_select "$COMBO_KEY" "A"
options_select "$COMBO_LAYOUT2" "Russian (101 Keys)"
options_press OK
options_expect_closed OK
settings_text >"$E2E_DIR/settings-after-ok"
for line in 'HotKey1=6;A' 'Layout2=Russian (101 Keys)'; do
    grep -qxF "$line" "$E2E_DIR/settings-after-ok" ||
        e2e_fail "the settings file lacks \"$line\""
done
expect_free win+F9
expect_held_by_program ctrl+shift+a
target_activate
e2e_set_target 'ghbdtn' 0 6
keys ctrl+shift+a
target_expect 'привет' "Ctrl+Shift+A after OK"

# Another application holds a combination a slot is given.
harness_start_program "$ZENVORAL_TESTDRIVER" hold-hotkey "$HELD_KEYS" 120000 \
    >"$E2E_DIR/holder-pid"
holder=$(<"$E2E_DIR/holder-pid")
E2E_PIDS+=("$holder")
deadline=$((SECONDS + E2E_APPEAR_MS / 1000))
while driver hotkey-free "$HELD_KEYS" 2>/dev/null; do
    ((SECONDS < deadline)) || e2e_fail "the other application does not hold $HELD_KEYS"
    harness_process_running "$holder" || e2e_fail "the other application has ended"
done
options_open
options_select "$LIST_ACTIONS" "Show program window"
options_select "$COMBO_KEY" "F12"
options_press "Ctrl +"
options_press "Shift+"
options_press OK
e2e_wait_message_box
e2e_expect_message_text \
    'Current hotkey Ctrl + Shift + Win + F12 is used by another application.\r\nPlease select another one.\n'
e2e_press_message_box_button OK
options_expect_closed "the conflict message"
harness_end_program "$holder" || e2e_fail "the other application does not end"
e2e_forget_pid "$holder"
e2e_expect_running
