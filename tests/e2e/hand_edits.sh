#!/usr/bin/env bash
# Files a user edited by hand. A hotkey mask that does not fit falls back to Win+F9 and
# leaves plain F9 to other programs; a layout that layouts.txt lacks is named in a
# message and replaced by the default; a place off every monitor comes back on screen.
# A settings file typed in UTF-8 keeps its Arabic layout name, found in a layouts.txt
# saved as UTF-16, and is kept in UTF-16 from then on; an empty layouts.txt is named in
# a message and the program runs on. The Arabic name also goes through the options
# dialog and a restart.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The program's layouts.txt as its messages name it, escaped for printf.
layouts_in_message() {
    local path="Z:${PROGRAM_DIR//\//\\}\\layouts.txt"
    printf '%s' "${path//\\/\\\\}"
}

options_x_window_gone() {
    ! harness_find_x_window '^Options$' >/dev/null
}

expect_setting() {
    grep -qxF "$1" <(settings) || fail "the settings file lacks \"$1\": $(settings)"
}

start_program hand-edited "$ZENVORAL_LAYOUTS" $'HotKey1=99999999999;F9\r\nLayout2=Klingon (101 Keys)\r\nWindowLeft=491505\r\nWindowTop=-491505'
expect_message "Cannot find the layout \"Klingon (101 Keys)\" in this file: $(layouts_in_message)\\r\\nThe program uses \"Arabic (101 Keys)\" instead.\\n"
close_message
must "start-up did not finish" wait "$MAIN" exists 30000
expect_setting 'HotKey1=8;F9'
expect_setting 'Layout2=Arabic (101 Keys)'
must "plain F9 is taken" hotkey F9
driver hotkey win+F9 2>/dev/null && fail "the program does not hold Win+F9"
must "cannot press Win+F11" keys win+F11
must "Win+F11 does not show the main window" wait "$MAIN" on-top
read -r left top < <(driver place "$MAIN") || fail "no place of the main window"
read -r width height < <(xdotool getdisplaygeometry)
((left >= 0 && top >= 0 && left < width - 100 && top < height - 100)) ||
    fail "the main window is at $left,$top, off the ${width}x${height} screen"
harness_end_program "$PROGRAM_PID"

# The Arabic layout renamed to an Arabic name, the file saved as Notepad's "Unicode".
sed -e '1s/^\xEF\xBB\xBF//' -e 's/^\[Arabic (101 Keys)\]/[عربي]/' "$ZENVORAL_LAYOUTS" |
    iconv -f UTF-8 -t UTF-16 >"$E2E_DIR/utf16.txt"
start_program unicode "$E2E_DIR/utf16.txt" 'Layout2=عربي'
must "start-up did not finish" wait "$MAIN" exists 30000
must "a message box is open" wait "$BOX" gone 0
[[ $(head -c 2 "$PROGRAM_DIR/Zenvoral.ini" | od -An -tx1) == ' ff fe' ]] ||
    fail "the settings file is not UTF-16 now"
expect_setting 'Layout2=عربي'
# Through the options dialog: away to Russian and back to the Arabic name.
for layout in 'Russian (101 Keys)' 'عربي'; do
    tray_menu 3 o
    must "no options dialog" wait Options shown
    must "cannot pick $layout" select Options 2014 "$layout"
    must "cannot press OK" press Options OK
    must "the options dialog stays open" wait Options gone
    expect_setting "Layout2=$layout"
    harness_poll 10 options_x_window_gone || fail "the options dialog stays on the display"
done
harness_end_program "$PROGRAM_PID"
harness_start_program "$PROGRAM_DIR/Zenvoral.exe"
PROGRAM_PID=$HARNESS_PID
PIDS+=("$PROGRAM_PID")
must "start-up did not finish after a restart" wait "$MAIN" exists 30000
must "a message box is open after a restart" wait "$BOX" gone 0
expect_setting 'Layout2=عربي'
harness_end_program "$PROGRAM_PID"

: >"$E2E_DIR/empty.txt"
start_program empty "$E2E_DIR/empty.txt"
expect_message "Cannot find any layout in this file: $(layouts_in_message)\\r\\nIt must be text in UTF-8, UTF-16 with a byte order mark, or the ANSI code page, each layout under its [name] line!\\n"
close_message
must "start-up did not finish after the message" wait "$MAIN" exists
expect_running
