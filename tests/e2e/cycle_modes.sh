#!/usr/bin/env bash
# The cycle converts the selected text of an edit control in another process for every
# mode the program requests, and with nothing selected converts from the line's start
# (the layout modes) or the word before the caret (the case modes).
source "$(dirname "$0")/cycle/cycle-common.sh"

e2e_start_target

# MODE TEXT FROM TO EXPECTED; only the selection changes.
# "Toggle layouts" picks the direction from the text. Back to English, "لا" is one
# key (b), so the way back differs from the text typed.
cycle_convert 0 'hgsghl ugd;l' 0 12 'السلام عليكم'
cycle_convert 0 'السلام عليكم' 0 12 'hgsbl ugd;l'
cycle_convert 0 'say lvpfh now' 4 9 'say مرحبا now'
cycle_convert 1 'x شمهؤث y' 2 7 'x alice y'
cycle_convert 2 'x alice y' 2 7 'x شمهؤث y'
cycle_convert 3 'a hello World b' 2 13 'a HELLO WORLD b'
cycle_convert 4 'a HELLO World b' 2 13 'a hello world b'
cycle_convert 5 'a hello wORLD b' 2 13 'a Hello World b'
# "Toggle letters case": lower, then capitalised words, then upper, then lower.
cycle_convert 8 'hello world' 0 11 'Hello World'
cycle_convert 8 'Hello World' 0 11 'HELLO WORLD'
cycle_convert 8 'HELLO WORLD' 0 11 'hello world'
# A selection over two lines is converted whole, its line end kept.
cycle_convert 2 'alice\r\nbob' 0 10 'شمهؤث\r\nلاخلا'

# Nothing selected, the caret at the end of the second line (or inside it): the
# layout modes take the line up to the caret, the case modes the word before it.
cycle_convert 0 'first line\r\nhgsghl ugd;l' 24 24 'first line\r\nالسلام عليكم'
cycle_convert 1 'first line\r\nشمهؤث ذخؤ' 21 21 'first line\r\nalice `oc'
cycle_convert 2 'first line\r\nalice bob tail' 21 21 'first line\r\nشمهؤث لاخلا tail'
cycle_convert 3 'hello world' 11 11 'hello WORLD'
cycle_convert 4 'HELLO WORLD' 11 11 'HELLO world'
cycle_convert 5 'hello world' 11 11 'hello World'
cycle_convert 8 'hello world' 11 11 'hello World'
cycle_convert 8 'one two\r\nthree four' 19 19 'one two\r\nthree Four'

# "Delay" reread from a settings file, as the program does at every cycle.
settings="$E2E_DIR/Zenvoral.ini"
printf '[Zenvoral]\r\nDelay=0.1\r\n' >"$settings"
cycle_convert 2 'first line\r\nalice' 17 17 'first line\r\nشمهؤث' \
    --ini "$(harness_windows_path "$settings")"

cycle_finish
