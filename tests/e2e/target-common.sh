# shellcheck shell=bash
# Sourced after e2e-common.sh by the scripts that work on the application the user
# types in: zenvoral-target.exe, a window with a multi-line edit, driven through
# zenvoral-cycle-host.exe. Both are built beside zenvoral-testdriver.exe;
# ZENVORAL_CYCLE_HOST and ZENVORAL_TARGET name them otherwise.

E2E_TOOLS=$(dirname "$ZENVORAL_TESTDRIVER")
readonly E2E_CYCLE_HOST=${ZENVORAL_CYCLE_HOST:-$E2E_TOOLS/zenvoral-cycle-host.exe}
readonly E2E_TARGET=${ZENVORAL_TARGET:-$E2E_TOOLS/zenvoral-target.exe}

host() {
    wine "$E2E_CYCLE_HOST" "$@" </dev/null
}

# Starts the target and waits until it is in the foreground with its edit focused.
e2e_start_target() {
    [[ -f $E2E_CYCLE_HOST && -f $E2E_TARGET ]] ||
        e2e_fail "zenvoral-cycle-host.exe or zenvoral-target.exe is not built"
    harness_start_program "$E2E_TARGET" >"$E2E_DIR/target-pid"
    E2E_PIDS+=("$(<"$E2E_DIR/target-pid")")
    host target-wait "$E2E_APPEAR_MS" ||
        e2e_fail "the target did not come to the foreground with its edit focused"
}

# e2e_set_target TEXT FROM TO: the target's text (escapes as zenvoral-cycle-host reads
# them: \r \n \t \\) with the units FROM to TO selected; FROM = TO is a caret.
e2e_set_target() {
    host target-set "$@" || e2e_fail "cannot set the target's text to \"$1\""
}
