#!/usr/bin/env bash
# Layouts of 47 and 46 keys: the program warns once and, after OK, keeps running.
source "$(dirname "$0")/e2e-common.sh"

english=({a..z} {0..9} ',' '.' '/' ';' "'" '[' ']' '\' '-' '=' '`')
arabic=(ش ؤ ي ث ب ل ا ه ت ن م ة ى خ ح ض ق س ف ع ر ص ء غ ئ ظ
    ٠ ١ ٢ ٣ ٤ ٥ ٦ ٧ ٨ ٩ و ز ك ج د ذ ط '\' '-' '=')
((${#english[@]} == 47 && ${#arabic[@]} == 46)) || e2e_fail "the test's layouts are miscounted"

layouts="$E2E_DIR/layouts.txt"
{
    printf '<!-- one key more in the first layout than in the second -->\r\n'
    printf '[English (101 Keys)]\r\n%s\r\n' "${english[*]}"
    printf '[Arabic (101 Keys)]\r\n%s\r\n' "${arabic[*]}"
} >"$layouts"

e2e_prepare_program_folder "$layouts"
e2e_start_zenvoral

e2e_wait_message_box
e2e_expect_message_text 'Number of keys under first and second keyboard layout are not equal.\nThis may cause incorrect converting between both layout!\n'
# The warning holds start-up until it is closed.
e2e_driver_for_program wait-window --hidden --class "$E2E_MAIN_WINDOW_CLASS" "$E2E_TITLE" 0 \
    >/dev/null || e2e_fail "start-up went on while the warning was open"
e2e_press_message_box_button OK

e2e_wait_started
e2e_expect_no_message_box
e2e_expect_running
e2e_end_zenvoral
