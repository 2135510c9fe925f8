#!/usr/bin/env bash
# The main window's buttons convert the selection of the application that was active
# before the window came up. With the pin on (the default) the window comes back after
# the conversion; with the pin off it stays hidden.
source "$(dirname "$0")/program-common.sh"

program_start_resident
e2e_start_target

# button CAPTION TEXT FROM TO EXPECTED: shows the window over the target, clicks.
button() {
    target_activate
    e2e_set_target "$2" "$3" "$4"
    keys win+F11
    main_window_expect shown-on-top
    main_window press "$1" || e2e_fail "cannot click \"$1\""
    target_expect "$5" "\"$1\" on \"$2\""
}

button 'Upper case' 'a hello World b' 2 13 'a HELLO WORLD b'
main_window_expect shown-on-top
screenshot_window main-window-pin-on main_window window-rect
button 'Lower case' 'a HELLO World b' 2 13 'a hello world b'
main_window_expect shown-on-top
button 'Capitalize' 'a hello wORLD b' 2 13 'a Hello World b'
main_window_expect shown-on-top
button 'Arabic ' 'x alice y' 2 7 'x شمهؤث y'
main_window_expect shown-on-top
button 'English ' 'x شمهؤث y' 2 7 'x alice y'
main_window_expect shown-on-top

# The pin toggle, whose caption is empty, turned off.
main_window press '' || e2e_fail "cannot click the pin"
screenshot_window main-window-pin-off main_window window-rect
button 'Upper case' 'one two' 0 3 'ONE two'
main_window_expect hidden
e2e_expect_running

program_exit_from_menu
grep -qx 'AlwaysVisible=0' <(tr -d '\r' <"$(program_ini)") ||
    e2e_fail "the pin's state was not saved"
