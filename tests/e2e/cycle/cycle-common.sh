# shellcheck shell=bash
# Sourced by the cycle's end-to-end scripts (tests/e2e/cycle_*.sh), after
# e2e-common.sh's harness and clean-up. Starts zenvoral-target in a process of its
# own, waits until it is in the foreground with its edit focused, and runs the
# cycle's cases against it through zenvoral-cycle-host. A case that fails is told
# and counted, and the remaining cases still run; cycle_finish fails the test then.
#
# shellcheck source=../e2e-common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e-common.sh"
# shellcheck source=../target-common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../target-common.sh"

# The paste is handled by the target after the cycle has ended: a bound for its
# result to show.
readonly CYCLE_RESULT_MS=5000
CYCLE_FAILURES=0
CYCLE_CASES=0

cycle_case_failed() {
    echo "FAIL: $*" >&2
    CYCLE_FAILURES=$((CYCLE_FAILURES + 1))
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
    e2e_set_target "$text" "$from" "$to"
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
    e2e_set_target "$text" "$from" "$to"
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
