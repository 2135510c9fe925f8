#!/usr/bin/env bash
# The three default hotkeys, pressed as real key events while another application is
# in the foreground: Win+F9 retypes its selection in the other layout and back, Win+F10
# cycles the letter case, Win+F11 shows the main window on top, Escape hides it again.
# The user's clipboard is the same afterwards.
source "$(dirname "$0")/program-common.sh"

program_start_resident
e2e_start_target
host clip-text 'the user'"'"'s own clipboard' || e2e_fail "cannot fill the clipboard"
host clip-dump >"$E2E_DIR/clipboard-before" || e2e_fail "cannot read the clipboard"

e2e_set_target 'hgsghl ugd;l' 0 12
keys win+F9
target_expect 'السلام عليكم' "Win+F9 on English keys"
e2e_set_target 'السلام عليكم' 0 12
keys win+F9
# Back on English keys "لا" is the one key b.
target_expect 'hgsbl ugd;l' "Win+F9 on Arabic text"

e2e_set_target 'hello world' 0 11
keys win+F10
target_expect 'Hello World' "Win+F10 on lower case"
e2e_set_target 'Hello World' 0 11
keys win+F10
target_expect 'HELLO WORLD' "Win+F10 on capitalised words"
e2e_set_target 'HELLO WORLD' 0 11
keys win+F10
target_expect 'hello world' "Win+F10 on upper case"

# Nothing selected: the layout hotkey takes the line up to the caret.
e2e_set_target 'first line\r\nhgsghl' 18 18
keys win+F9
target_expect 'first line\r\nالسلام' "Win+F9 with nothing selected"

host clip-dump >"$E2E_DIR/clipboard-after" || e2e_fail "cannot read the clipboard"
diff -u "$E2E_DIR/clipboard-before" "$E2E_DIR/clipboard-after" >&2 ||
    e2e_fail "the user's clipboard differs after the conversions"

keys win+F11
main_window_expect shown-on-top
main_window_expect foreground
screenshot_window main-window main_window window-rect
keys escape
main_window_expect hidden
e2e_expect_running
