# shellcheck shell=bash
# Sourced by every end-to-end script. Joins the Wine session (or sets up one of its own
# when the script runs outside scripts/test), gives the test a folder of its own, ends
# every program the test started by its PID when it exits, and keeps the logs and a
# screenshot of a failed run in ZENVORAL_E2E_ARTIFACTS. The environment comes from
# tests/e2e/CMakeLists.txt (`ctest -R e2e_NAME -V` shows it).

set -euo pipefail
: "${ZENVORAL_EXE:?}" "${ZENVORAL_TESTDRIVER:?}" "${ZENVORAL_LAYOUTS:?}"

# shellcheck source=../harness/wine-harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../harness/wine-harness.sh"

readonly MAIN="Zenvoral 1.60"  # the main window's caption, set as start-up's last step
readonly BOX="Zenvoral"        # the caption of the program's message boxes
E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/zenvoral-e2e.XXXXXX")
# shellcheck disable=SC2034 # read by the harness
HARNESS_LOG_DIR=$E2E_DIR
PIDS=()

e2e_cleanup() {
    local status=$? pid artifacts=${ZENVORAL_E2E_ARTIFACTS:-}
    if ((status != 0)) && [[ -n $artifacts ]]; then
        rm -rf "$artifacts" && mkdir -p "$artifacts"
        cp "$E2E_DIR"/*.log "$artifacts"/ 2>/dev/null || true
        timeout 20 import -window root "$artifacts/screen.png" </dev/null >/dev/null 2>&1 || true
        echo "artifacts kept in $artifacts" >&2
    fi
    for pid in "${PIDS[@]}"; do
        harness_end_program "$pid" || status=1
    done
    harness_teardown
    rm -rf "$E2E_DIR"
    exit "$status"
}
trap e2e_cleanup EXIT
# CTest's timeout ends a script with TERM: the clean-up still ends its programs.
trap 'exit 143' TERM INT

harness_attach_or_setup

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

driver() {
    wine "$ZENVORAL_TESTDRIVER" "$@" </dev/null
}

# must WHAT DRIVER_COMMAND...: the step happens, or the test fails saying what did not.
must() {
    local what=$1
    shift
    driver "$@" || fail "$what"
}

# start_program FOLDER [LAYOUTS [SETTING]]: Zenvoral.exe, LAYOUTS as its layouts.txt and
# a settings file with the line SETTING, in a new folder, started from there.
start_program() {
    PROGRAM_DIR="$E2E_DIR/$1"
    mkdir "$PROGRAM_DIR"
    cp "$ZENVORAL_EXE" "$PROGRAM_DIR/Zenvoral.exe"
    [[ -z ${2:-} ]] || cp "$2" "$PROGRAM_DIR/layouts.txt"
    [[ -z ${3:-} ]] || printf '[Zenvoral]\r\n%s\r\n' "$3" >"$PROGRAM_DIR/Zenvoral.ini"
    harness_start_program "$PROGRAM_DIR/Zenvoral.exe"
    PROGRAM_PID=$HARNESS_PID
    PIDS+=("$PROGRAM_PID")
}

# start_resident [SETTING]: the program with the shipped layouts, its start-up over.
start_resident() {
    start_program program "$ZENVORAL_LAYOUTS" "${1:-}"
    must "start-up did not finish" wait "$MAIN" exists 30000
}

# start_target notepad|wordpad: the application the user types in, away from the
# notification area. Only Wine's 32-bit Wordpad is installed.
start_target() {
    local id caption=' - Notepad$' program=notepad
    if [[ $1 == wordpad ]]; then
        caption=' - Wine Wordpad$'
        program="$WINEPREFIX/drive_c/Program Files (x86)/Windows NT/Accessories/wordpad.exe"
    fi
    harness_start_program "$program"
    PIDS+=("$HARNESS_PID")
    id=$(harness_wait_window "$caption" 20) || fail "no $1 window"
    timeout 10 xdotool windowmove --sync "$id" 300 300 || fail "cannot move $1"
}

expect_ended() { harness_wait_exit "$PROGRAM_PID" 30 || fail "the program still runs $1"; }
expect_running() { harness_process_running "$PROGRAM_PID" || fail "the program has ended"; }

# expect_message FORMAT: a message box of the program, on the display, with the text
# FORMAT (printf) byte for byte.
expect_message() {
    must "no message box" wait "$BOX" shown
    harness_wait_window "^$BOX\$" 10 >/dev/null || fail "the message box is not on the display"
    # shellcheck disable=SC2059
    printf "$1" >"$E2E_DIR/expected"
    driver text "$BOX" >"$E2E_DIR/actual" || fail "cannot read the message box"
    cmp -s "$E2E_DIR/expected" "$E2E_DIR/actual" ||
        fail "the message box says $(od -c "$E2E_DIR/actual"), not $(od -c "$E2E_DIR/expected")"
}

close_message() {
    must "cannot press OK" press "$BOX" OK
    must "the message box stays after OK" wait "$BOX" gone
}

# The settings file, which the program keeps in UTF-16, as UTF-8 without its CRs.
settings() {
    iconv -f UTF-16 -t UTF-8 "$PROGRAM_DIR/Zenvoral.ini" | tr -d '\r'
}

# expect_saved LEFT TOP PIN: what the program's end saves, the window's place in twips
# (15 to a pixel at 96 dots per inch) and the pin.
expect_saved() {
    local line
    for line in "WindowLeft=$(($1 * 15))" "WindowTop=$(($2 * 15))" "AlwaysVisible=$3"; do
        grep -qx "$line" <(settings) || fail "the settings file lacks $line"
    done
}

# tray_menu BUTTON KEY: clicks the program's icon (the first in the notification area
# Wine shows without a desktop shell) with BUTTON (1 left, 3 right), then picks the
# menu item with the access key KEY.
tray_menu() {
    # shellcheck disable=SC2034 # all set by the eval
    local X Y WIDTH HEIGHT WINDOW SCREEN id
    id=$(harness_wait_window '^Wine System Tray$' 10) || fail "no notification area is shown"
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + 10)) $((Y + HEIGHT / 2)) click "$1"
    must "the tray menu did not open" wait "class:#32768" shown
    must "cannot press $2" keys "$2"
    must "the tray menu stays open after $2" wait "class:#32768" gone
}
