#!/usr/bin/env bash
# The messages of start-up: without layouts.txt the program says so and ends once the
# message is closed; with layouts of 47 and 46 keys it warns, holds start-up until the
# warning is closed, and then runs.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

start_program without-layouts
expect_message 'Cannot find this file: layouts.txt\r\nThe program cannot run without this file!\n'
expect_running
close_message
expect_ended "after the missing file's message"

english=({a..z} {0..9} ',' '.' '/' ';' "'" '[' ']' '\' '-' '=' '`')
arabic=(ش ؤ ي ث ب ل ا ه ت ن م ة ى خ ح ض ق س ف ع ر ص ء غ ئ ظ
    ٠ ١ ٢ ٣ ٤ ٥ ٦ ٧ ٨ ٩ و ز ك ج د ذ ط '\' '-' '=')
((${#english[@]} == 47 && ${#arabic[@]} == 46)) || fail "the test's layouts are miscounted"
printf '[English (101 Keys)]\r\n%s\r\n[Arabic (101 Keys)]\r\n%s\r\n' "${english[*]}" \
    "${arabic[*]}" >"$E2E_DIR/unequal.txt"
start_program unequal-layouts "$E2E_DIR/unequal.txt"
expect_message 'Number of keys under first and second keyboard layout are not equal.\nThis may cause incorrect converting between both layout!\n'
must "start-up went on while the warning was open" wait "$MAIN" absent 0
close_message
must "start-up did not finish after the warning" wait "$MAIN" exists
must "another message box is open" wait "$BOX" gone 0
expect_running
