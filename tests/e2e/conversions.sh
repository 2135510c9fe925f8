#!/usr/bin/env bash
# The hotkeys and the main window's buttons convert the selection of the application the
# user works in, and the user's clipboard is as it was afterwards, every format byte for
# byte (the driver checks it at every conversion): Arabic text, Unicode text, a bitmap,
# HTML with text. Also with nothing selected, with nothing to copy at all, with the
# clipboard held by another program, and with the hotkey's modifier still held. Windows
# ending the session ends the program the way "E&xit" does.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The copy may take longer than the default 0.06 s on a loaded machine.
start_resident Delay=0.3
start_target notepad

# convert TEXT FROM TO EXPECTED ACTION...: the target holds TEXT with FROM to TO
# selected (FROM = TO: the caret); the driver's convert ACTION turns it into EXPECTED.
convert() {
    local text=$1 from=$2 to=$3 expected=$4
    shift 4
    must "cannot set the target's text" target notepad "$text" "$from" "$to"
    must "$* on \"$text\" ($from to $to), expecting \"$expected\"" convert notepad "$expected" "$@"
}

must "cannot fill the clipboard" clipboard text 'مرحبا بالعالم'
# Back on English keys "لا" is the one key b.
convert 'السلام عليكم' 0 12 'hgsbl ugd;l' keys win+F9

must "cannot fill the clipboard" clipboard text 'Zenvoral: ünïcödé ✓ €'
# Nothing selected: "Toggle layouts" takes the line up to the caret, the case the word
# before it.
convert 'first line\nhgsghl' 18 18 'first line\nالسلام' keys win+F9
convert 'one two\nthree four' 19 19 'one two\nthree Four' keys win+F10
# An empty line: even the fallback copies nothing, and nothing is pasted.
convert '' 0 0 '' keys win+F9

must "cannot fill the clipboard" clipboard bitmap
# Win still down 300 ms after F9: the cycle waits for it, or Win+Ctrl+C copies nothing.
convert 'hgsghl' 0 6 'السلام' keys win+F9 300
# Another program has the clipboard open for 300 ms as the cycle begins.
convert 'alice' 0 5 'شمهؤث' held-clipboard 300 win+F9

must "cannot fill the clipboard" clipboard html 'Zenvoral تجربة'
# button CAPTION TEXT FROM TO EXPECTED: the main window shown over the target, a click.
button() {
    must "cannot set the target's text" target notepad "$2" "$3" "$4"
    must "cannot press Win+F11" keys win+F11
    must "Win+F11 does not show the main window on top" wait "$MAIN" on-top
    must "\"$1\" on \"$2\", expecting \"$5\"" convert notepad "$5" button "$MAIN" "$1"
}
# With the pin on (the default) the window comes back after the conversion.
button 'Upper case' 'a hello World b' 2 13 'a HELLO WORLD b'
must "the pinned main window did not come back" wait "$MAIN" on-top
# The pin, a button without caption, turned off: the window stays hidden.
must "cannot press the pin" press "$MAIN" ''
button 'Arabic ' 'x alice y' 2 7 'x شمهؤث y'
must "the main window came back without the pin" wait "$MAIN" gone 0

must "cannot press Win+F11" keys win+F11
must "Win+F11 does not bring the main window to the foreground" wait "$MAIN" foreground
must "cannot press Escape" keys escape
must "Escape does not hide the main window" wait "$MAIN" gone

read -r left top < <(driver place "$MAIN") || fail "no place of the main window"
must "the program did not agree to end the session" end-session "$MAIN"
expect_ended "after the session ended"
expect_saved "$left" "$top" 0
must "Win+F9 is still held after the session ended" hotkey win+F9
