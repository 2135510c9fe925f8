#!/usr/bin/env bash
# Another program holding the clipboard open for 300 ms when the cycle starts delays
# the cycle but neither breaks it nor loses the user's clipboard.
source "$(dirname "$0")/cycle/cycle-common.sh"

readonly HOLD_MS=300
readonly HOLDER_WAIT_MS=30000

e2e_start_target

# cycle_after_held_clipboard WHAT MODE TEXT FROM TO EXPECTED -- HOST_COMMAND...
cycle_after_held_clipboard() {
    local what=$1 mode=$2 text=$3 from=$4 to=$5 expected=$6 before="$E2E_DIR/clipboard-before"
    local log="$E2E_DIR/held-cycle.log" pid
    shift 7
    CYCLE_CASES=$((CYCLE_CASES + 1))
    host "$@" || e2e_fail "$what: cannot set up the clipboard"
    cycle_dump_clipboard "$before"
    e2e_set_target "$text" "$from" "$to"
    # The cycle waits for the clipboard to be held, and only then begins; the holder
    # starts once the cycle says it is waiting.
    wine "$E2E_CYCLE_HOST" cycle "$mode" --after-clipboard-held "$HOLDER_WAIT_MS" \
        </dev/null >"$log" 2>&1 &
    pid=$!
    E2E_PIDS+=("$pid")
    harness_poll 30 grep -q "waiting for another program" "$log" ||
        e2e_fail "$what: the cycle does not wait for the clipboard to be held"
    host clip-hold "$HOLD_MS" || e2e_fail "$what: cannot hold the clipboard"
    harness_wait_exit "$pid" 30 || e2e_fail "$what: the cycle does not end"
    if ! wait "$pid"; then
        cat "$log" >&2
        e2e_fail "$what: the cycle did not run"
    fi
    e2e_forget_pid "$pid"
    cat "$log" >>"$E2E_DIR/cycles.log"
    cycle_expect_target "$expected" "$what: mode $mode on \"$text\" ($from to $to)" || true
    cycle_expect_clipboard "$before" "$what"
}

cycle_after_held_clipboard "Arabic text, a selection" 0 'one hgsghl two' 4 10 'one السلام two' \
    -- clip-text 'مرحبا بالعالم'
cycle_after_held_clipboard "a bitmap, nothing selected" 8 'first second' 12 12 'first Second' \
    -- clip-bitmap

cycle_finish
