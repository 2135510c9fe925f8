# shellcheck shell=bash
# Sourced by the cycle's end-to-end scripts (tests/e2e/cycle_*.sh), after
# e2e-common.sh's harness and clean-up. Starts zenvoral-target in a process of its
# own, waits until it is in the foreground with its edit focused, and runs the
# cycle's cases against it through zenvoral-cycle-host. A case that fails is told
# and counted, and the remaining cases still run; cycle_finish fails the test then.
#
# The two programs are built beside zenvoral-testdriver.exe; ZENVORAL_CYCLE_HOST and
# ZENVORAL_TARGET name them otherwise.

# shellcheck source=../e2e-common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e-common.sh"

CYCLE_PROGRAMS=$(dirname "$ZENVORAL_TESTDRIVER")
readonly CYCLE_HOST=${ZENVORAL_CYCLE_HOST:-$CYCLE_PROGRAMS/zenvoral-cycle-host.exe}
readonly CYCLE_TARGET=${ZENVORAL_TARGET:-$CYCLE_PROGRAMS/zenvoral-target.exe}
# The paste is handled by the target after the cycle has ended: a bound for its
# result to show.
readonly CYCLE_RESULT_MS=5000
CYCLE_FAILURES=0
CYCLE_CASES=0

host() {
    wine "$CYCLE_HOST" "$@" </dev/null
}

cycle_case_failed() {
    echo "FAIL: $*" >&2
    CYCLE_FAILURES=$((CYCLE_FAILURES + 1))
}

cycle_start_target() {
    [[ -f $CYCLE_HOST && -f $CYCLE_TARGET ]] ||
        e2e_fail "zenvoral-cycle-host.exe or zenvoral-target.exe is not built"
    harness_start_program "$CYCLE_TARGET" >"$E2E_DIR/target-pid"
    E2E_PIDS+=("$(<"$E2E_DIR/target-pid")")
    host target-wait "$E2E_APPEAR_MS" ||
        e2e_fail "the target did not come to the foreground with its edit focused"
}

# cycle_set_target TEXT FROM TO: the target's text (escapes as zenvoral-cycle-host
# reads them: \r \n \t \\) with the units FROM to TO selected; FROM = TO is a caret.
cycle_set_target() {
    host target-set "$@" || e2e_fail "cannot set the target's text to \"$1\""
}

# cycle_run MODE [OPTIONS]: one cycle, as the program's caller of MODE runs it.
cycle_run() {
    host cycle "$@" >>"$E2E_DIR/cycles.log" || e2e_fail "the cycle for mode $1 did not run"
}

# cycle_expect_target TEXT WHAT: true once the target holds TEXT; else the case fails.
cycle_expect_target() {
    host target-expect "$1" "$CYCLE_RESULT_MS" || {
        cycle_case_failed "$2"
        return 1
    }
}

# cycle_convert MODE TEXT FROM TO EXPECTED [CYCLE_OPTIONS...]
cycle_convert() {
    local mode=$1 text=$2 from=$3 to=$4 expected=$5
    shift 5
    CYCLE_CASES=$((CYCLE_CASES + 1))
    cycle_set_target "$text" "$from" "$to"
    cycle_run "$mode" "$@"
    cycle_expect_target "$expected" "mode $mode on \"$text\" ($from to $to)"
}

# cycle_dump_clipboard FILE
cycle_dump_clipboard() {
    host clip-dump >"$1" || e2e_fail "cannot read the clipboard"
}

# cycle_expect_clipboard BEFORE_FILE WHAT: the clipboard is now as the file says.
cycle_expect_clipboard() {
    local after="$E2E_DIR/clipboard-after"
    cycle_dump_clipboard "$after"
    if ! diff -u --label before --label after "$1" "$after" >&2; then
        cycle_case_failed "$2: the user's clipboard differs after the cycle"
    fi
}

# cycle_keeps_clipboard WHAT MODE TEXT FROM TO EXPECTED -- HOST_COMMAND...: with the
# user's clipboard set up by the host command, the cycle converts the target's text
# and leaves the clipboard exactly as it was.
cycle_keeps_clipboard() {
    local what=$1 mode=$2 text=$3 from=$4 to=$5 expected=$6 before="$E2E_DIR/clipboard-before"
    shift 7
    CYCLE_CASES=$((CYCLE_CASES + 1))
    host "$@" || e2e_fail "$what: cannot set up the clipboard"
    cycle_dump_clipboard "$before"
    cycle_set_target "$text" "$from" "$to"
    cycle_run "$mode"
    cycle_expect_target "$expected" "$what: mode $mode on \"$text\" ($from to $to)" || true
    cycle_expect_clipboard "$before" "$what"
}

cycle_finish() {
    if ((CYCLE_FAILURES > 0)); then
        e2e_fail "$CYCLE_FAILURES of $CYCLE_CASES cases failed"
    fi
    echo "$CYCLE_CASES cases passed"
}
