#!/usr/bin/env bash
# The options dialog of the running program, opened from the icon's menu: two equal
# layouts give their message and the dialog stays; a new "Toggle layouts" combination
# and second layout, confirmed with OK, are saved and work at once, the old combination
# given back; "Convert only the mistyped words" leaves the right words of a line alone;
# a combination another application holds gives the conflict message.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The ids of the dialog's controls, from its resource header.
readonly LIST_ACTIONS=2005 COMBO_KEY=2009 COMBO_LAYOUT2=2014
readonly HELD=ctrl+shift+win+F12

options_open() {
    tray_menu 3 o
    must "no options dialog" wait Options shown
}

options_select() {
    must "cannot select \"$2\" in control $1" select Options "$1" "$2"
}

options_press() {
    local button
    for button in "$@"; do
        must "cannot press \"$button\"" press Options "$button"
    done
}

options_x_window_gone() {
    ! harness_find_x_window '^Options$' >/dev/null
}

# Gone for Wine and from the display too: until Wine has withdrawn the X window (about
# 2 s without a window manager), it can take the foreground from the next window.
options_closed() {
    must "the options dialog stays open" wait Options gone
    harness_poll 10 options_x_window_gone || fail "the options dialog stays on the display"
}

held_elsewhere() {
    ! driver hotkey "$HELD" 2>/dev/null
}

# The copy may take longer than the default 0.06 s on a loaded machine.
start_resident Delay=0.3
start_target notepad

options_open
options_select $COMBO_LAYOUT2 "English (101 Keys)"
options_press OK
expect_message 'First and second layout must be different!\n'
close_message
must "the options dialog closed with the message" wait Options shown 0
options_press Cancel
options_closed

# Ctrl+Shift+A, not Win+F9, toggles layouts, and the second layout is Russian.
options_open
options_select $LIST_ACTIONS "Toggle layouts"
options_press "Ctrl +" "Shift+" "Win +"
options_select $COMBO_KEY A
options_select $COMBO_LAYOUT2 "Russian (101 Keys)"
options_press OK
options_closed
for line in 'HotKey1=6;A' 'Layout2=Russian (101 Keys)'; do
    grep -qxF "$line" <(settings) || fail "the settings file lacks \"$line\" after OK"
done
must "Win+F9 is still held after OK" hotkey win+F9
must "cannot set the target's text" target notepad 'ghbdtn' 0 6
must "Ctrl+Shift+A does not convert to Russian" convert notepad 'привет' keys ctrl+shift+a

# Word by word, with Arabic again: only the mistyped words change.
options_open
options_select $COMBO_LAYOUT2 "Arabic (101 Keys)"
options_press "Convert only the mistyped words" OK
options_closed
grep -qxF SmartWords=1 <(settings) || fail "the settings file lacks \"SmartWords=1\" after OK"
must "cannot set the target's text" target notepad 'I wrote to him hgsghl ugd;l' 0 27
must "Ctrl+Shift+A converts more than the mistyped words" \
    convert notepad 'I wrote to him السلام عليكم' keys ctrl+shift+a

harness_start_program "$ZENVORAL_TESTDRIVER" hotkey "$HELD" 60000
PIDS+=("$HARNESS_PID")
harness_poll 30 held_elsewhere || fail "the other application does not hold $HELD"
options_open
options_select $LIST_ACTIONS "Show program window"
options_select $COMBO_KEY F12
options_press "Ctrl +" "Shift+" OK
expect_message 'Current hotkey Ctrl + Shift + Win + F12 is used by another application.\r\nPlease select another one.\n'
close_message
options_closed
expect_running
