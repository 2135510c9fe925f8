#!/usr/bin/env bash
# In Wine's Notepad (edit control) and Wordpad (RichEdit) a press right after a
# conversion goes on with the pasted text: "Toggle letters case" cycles through the three
# cases, a second "Toggle layouts" gives the original back exactly, and a key typed after
# a conversion adds to it. An editor that copies the whole line when nothing is selected
# gets the line converted in place, not duplicated.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The copy may take longer than the default 0.06 s on a loaded machine.
start_resident Delay=0.3
must "cannot fill the clipboard" clipboard text 'user text ✓'

# press APP KEYS EXPECTED: KEYS turn APP's text into EXPECTED; the clipboard is kept.
press() {
    must "$2 in $1, expecting \"$3\"" convert "$1" "$3" keys "$2"
}

for app in notepad wordpad; do
    start_target $app
    must "cannot set the text of $app" target $app 'hello world' 0 11
    press $app win+F10 'Hello World'
    press $app win+F10 'HELLO WORLD'
    press $app win+F10 'hello world'
    must "cannot type x" keys x
    must "x typed after a conversion did not go after it" holds $app 'hello worldx'
    # Back on English keys "لا" is the one key b: the original comes from memory.
    must "cannot set the text of $app" target $app 'hgsghl ugd;l' 0 12
    press $app win+F9 'السلام عليكم'
    press $app win+F9 'hgsghl ugd;l'
done

harness_start_program "$ZENVORAL_TESTDRIVER" linecopy
PIDS+=("$HARNESS_PID")
must "no line-copy editor" wait class:Edit shown
must "cannot set the line-copy editor's text" target linecopy 'hgsghl ugd;l' 12 12
press linecopy win+F9 'السلام عليكم'
