# shellcheck shell=bash
# Sourced by every end-to-end script. Joins the Wine harness (or sets up its own when
# the script runs outside scripts/test), gives the test a folder of its own holding a
# copy of Zenvoral.exe, ends every program the test started when it exits, and keeps
# logs and a screenshot of a failed run in ZENVORAL_E2E_ARTIFACTS.
#
# Expected from CTest: ZENVORAL_EXE, ZENVORAL_TESTDRIVER, ZENVORAL_E2E_ARTIFACTS.

set -euo pipefail

: "${ZENVORAL_EXE:?path of Zenvoral.exe}"
: "${ZENVORAL_TESTDRIVER:?path of zenvoral-testdriver.exe}"

# shellcheck source=../harness/wine-harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../harness/wine-harness.sh"

readonly E2E_MESSAGE_BOX_CLASS="#32770"
readonly E2E_MAIN_WINDOW_CLASS="ZenvoralMainWindow"
readonly E2E_TITLE="Zenvoral"
# The main window takes this caption as the last step of start-up.
readonly E2E_STARTED_CAPTION="Zenvoral 1.60"
# Bounds for events, generous for a loaded machine; nothing waits longer.
readonly E2E_APPEAR_MS=30000
readonly E2E_END_SECONDS=30

E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/zenvoral-e2e.XXXXXX")
# shellcheck disable=SC2034 # read by the harness
HARNESS_LOG_DIR=$E2E_DIR
E2E_PIDS=()
E2E_PROGRAM=""
E2E_PROGRAM_WIN=""
E2E_PROGRAM_PID=""

e2e_keep_artifacts() {
    local artifacts=${ZENVORAL_E2E_ARTIFACTS:-}
    [[ -n $artifacts ]] || return 0
    rm -rf "$artifacts"
    mkdir -p "$artifacts"
    cp "$E2E_DIR"/*.log "$artifacts"/ 2>/dev/null || true
    if [[ -n ${DISPLAY:-} ]] && command -v import >/dev/null; then
        timeout 20 import -window root "$artifacts/screen.png" </dev/null >/dev/null 2>&1 || true
    fi
    echo "artifacts kept in $artifacts" >&2
}

e2e_cleanup() {
    local status=$?
    if ((status != 0)); then
        e2e_keep_artifacts
    fi
    local pid
    for pid in "${E2E_PIDS[@]}"; do
        harness_end_program "$pid" || status=1
    done
    harness_teardown
    rm -rf "$E2E_DIR"
    exit "$status"
}
trap e2e_cleanup EXIT
# CTest's timeout ends a script with TERM; exiting runs the cleanup above, so the
# programs it started are ended by their PIDs instead of lingering in the prefix.
trap 'exit 143' TERM
trap 'exit 130' INT

harness_attach_or_setup

e2e_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

driver() {
    wine "$ZENVORAL_TESTDRIVER" "$@" </dev/null
}

# Copies Zenvoral.exe, and layouts.txt when a file is named, into a fresh folder.
e2e_prepare_program_folder() {
    local folder="$E2E_DIR/program"
    mkdir -p "$folder"
    cp "$ZENVORAL_EXE" "$folder/Zenvoral.exe"
    if (($# > 0)); then
        cp "$1" "$folder/layouts.txt"
    fi
    E2E_PROGRAM="$folder/Zenvoral.exe"
    E2E_PROGRAM_WIN=$(harness_windows_path "$E2E_PROGRAM")
}

# Started in this shell (not in $(...)), so the process stays this shell's child.
e2e_start_zenvoral() {
    harness_start_program "$E2E_PROGRAM" >"$E2E_DIR/pid"
    E2E_PROGRAM_PID=$(<"$E2E_DIR/pid")
    E2E_PIDS+=("$E2E_PROGRAM_PID")
}

# Window commands limited to the windows of the program under test.
e2e_driver_for_program() {
    local command=$1
    shift
    driver "$command" --owner "$E2E_PROGRAM_WIN" "$@"
}

e2e_wait_message_box() {
    e2e_driver_for_program wait-window --class "$E2E_MESSAGE_BOX_CLASS" "$E2E_TITLE" \
        "$E2E_APPEAR_MS" >/dev/null || e2e_fail "no message box \"$E2E_TITLE\" appeared"
    # The box must be on the screen for real, not merely exist inside Wine.
    harness_wait_window "^$E2E_TITLE\$" 10 >/dev/null ||
        e2e_fail "the message box is not mapped on the X display"
}

# Compares the message box's text byte for byte with the printf format given.
e2e_expect_message_text() {
    local expected="$E2E_DIR/expected-text" actual="$E2E_DIR/actual-text"
    # shellcheck disable=SC2059
    printf "$1" >"$expected"
    e2e_driver_for_program window-text --class "$E2E_MESSAGE_BOX_CLASS" "$E2E_TITLE" \
        >"$actual" || e2e_fail "cannot read the message box's text"
    if ! cmp -s "$expected" "$actual"; then
        echo "expected:" >&2
        od -c "$expected" >&2
        echo "actual:" >&2
        od -c "$actual" >&2
        e2e_fail "the message box's text differs"
    fi
}

e2e_press_message_box_button() {
    e2e_driver_for_program press --class "$E2E_MESSAGE_BOX_CLASS" "$E2E_TITLE" "$1" ||
        e2e_fail "cannot press \"$1\""
    e2e_driver_for_program wait-no-window --class "$E2E_MESSAGE_BOX_CLASS" "$E2E_TITLE" \
        "$E2E_APPEAR_MS" || e2e_fail "the message box stays after \"$1\""
}

e2e_wait_started() {
    e2e_driver_for_program wait-window --hidden --class "$E2E_MAIN_WINDOW_CLASS" \
        "$E2E_STARTED_CAPTION" "$E2E_APPEAR_MS" >/dev/null ||
        e2e_fail "start-up did not finish"
}

e2e_expect_no_message_box() {
    e2e_driver_for_program wait-no-window --class "$E2E_MESSAGE_BOX_CLASS" "$E2E_TITLE" 0 ||
        e2e_fail "a message box is open"
}

e2e_expect_running() {
    harness_process_running "$E2E_PROGRAM_PID" || e2e_fail "the program has ended"
}

e2e_forget_pid() {
    local kept=() pid
    for pid in "${E2E_PIDS[@]}"; do
        [[ $pid == "$1" ]] || kept+=("$pid")
    done
    E2E_PIDS=("${kept[@]}")
}

e2e_end_zenvoral() {
    harness_end_program "$E2E_PROGRAM_PID" || e2e_fail "the program does not end"
    e2e_forget_pid "$E2E_PROGRAM_PID"
}

# For a program that ends by itself: true once it has, within the bound.
e2e_wait_zenvoral_exit() {
    harness_wait_exit "$E2E_PROGRAM_PID" "$E2E_END_SECONDS" || return 1
    harness_end_program "$E2E_PROGRAM_PID"  # only reaps it
    e2e_forget_pid "$E2E_PROGRAM_PID"
}
