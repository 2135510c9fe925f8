#!/usr/bin/env bash
# In a console (Wine's class "WineConsoleClass") keys select nothing and Ctrl+C stops the
# running command: with nothing selected either hotkey only shows a balloon, leaving the
# console in the foreground, its command line, its running command and the clipboard.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

start_resident
# The pointer off the icon, whose tooltip has the balloon's window class.
xdotool mousemove 640 1000
harness_start_program "$ZENVORAL_TESTDRIVER" console run
PIDS+=("$HARNESS_PID")
must "no console window" wait class:WineConsoleClass shown
must "cannot fill the clipboard" clipboard text 'user text ✓'
driver clipboard show >"$E2E_DIR/clipboard" || fail "cannot read the clipboard"

console_ends_with() {
    local screen
    screen=$(driver console screen) && [[ $screen == *"$1" ]]
}

# type_in TEXT END: types TEXT into the console until its last line ends with END.
type_in() {
    must "cannot type into the console" console type "$1"
    harness_poll 10 console_ends_with "$2" || fail "the console does not end with \"$2\""
}

# only_balloon KEYS. Wine shows a balloon for 10 s, the program one every 10 s at most.
only_balloon() {
    driver console screen >"$E2E_DIR/screen" || fail "cannot read the console"
    must "the last balloon stays" wait class:tooltips_class32 gone 35000
    must "cannot press $1" keys "$1"
    must "no balloon after $1 in the console" wait class:tooltips_class32 shown
    must "the balloon took the foreground" wait class:WineConsoleClass foreground 0
    diff "$E2E_DIR/screen" <(driver console screen) >&2 || fail "$1 changed the console"
    diff "$E2E_DIR/clipboard" <(driver clipboard show) >&2 || fail "$1 changed the clipboard"
}

type_in 'pause\n' 'Press any key to continue...'
only_balloon win+F9
type_in x '>'
type_in hgsghl '>hgsghl'
only_balloon win+F9
only_balloon win+F10
