#!/usr/bin/env bash
# In a console window (Wine's has the class "WineConsoleClass") keys select nothing and
# Ctrl+C stops the running command: with nothing selected, either hotkey injects
# nothing and shows a balloon, which leaves the console in the foreground. The command
# line, a running command and the user's clipboard stay as they were.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

start_resident
harness_start_program "$ZENVORAL_TESTDRIVER" console run
PIDS+=("$HARNESS_PID")
must "no console window" wait class:WineConsoleClass shown
must "cannot fill the clipboard" clipboard text 'user text ✓'
driver clipboard show >"$E2E_DIR/clipboard" || fail "cannot read the clipboard"

console_ends_with() {
    local screen
    screen=$(driver console screen) && [[ $screen == *"$1" ]]
}

# type_in TEXT END: types TEXT into the console, in the foreground, until the console's
# last line ends with END.
type_in() {
    must "cannot type into the console" console type "$1"
    harness_poll 10 console_ends_with "$2" || fail "the console does not end with \"$2\""
}

# nothing_but_balloon KEYS: KEYS show a balloon, and the console and the clipboard are
# as they were. Wine shows a balloon for 10 s, and the program one every 10 s at most.
nothing_but_balloon() {
    driver console screen >"$E2E_DIR/screen" || fail "cannot read the console"
    must "the last balloon stays" wait class:tooltips_class32 gone 35000
    must "cannot press $1" keys "$1"
    must "no balloon after $1 in the console" wait class:tooltips_class32 shown
    must "the balloon took the foreground" wait class:WineConsoleClass foreground 0
    driver console screen >"$E2E_DIR/screen.after" || fail "cannot read the console"
    diff "$E2E_DIR/screen" "$E2E_DIR/screen.after" >&2 || fail "$1 changed the console"
    driver clipboard show >"$E2E_DIR/clipboard.after" || fail "cannot read the clipboard"
    diff "$E2E_DIR/clipboard" "$E2E_DIR/clipboard.after" >&2 || fail "$1 changed the clipboard"
}

type_in 'pause\n' 'Press any key to continue...'
nothing_but_balloon win+F9
type_in x '>'
type_in hgsghl '>hgsghl'
nothing_but_balloon win+F9
nothing_but_balloon win+F10
