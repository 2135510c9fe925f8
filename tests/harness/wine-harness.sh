# shellcheck shell=bash
# Wine harness for tests of the Windows build. Source it from bash; it runs nothing
# by itself.
#
#   harness_setup                  fresh throw-away prefix, Xvfb when there is no
#                                  DISPLAY, a persistent warmed-up wineserver; exports
#                                  WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES, LC_ALL,
#                                  DISPLAY and ZENVORAL_HARNESS_DIR for what follows
#   harness_attach_or_setup        joins the harness named by ZENVORAL_HARNESS_DIR (as
#                                  scripts/test exports it to CTest), else sets one up
#   harness_start_program EXE ARG.. starts EXE under Wine in the background with its
#                                  output in a log file; echoes its PID
#   harness_wait_exit PID SECONDS  true once PID has ended, false when time runs out
#   harness_end_program PID        ends PID (TERM, then KILL) and waits for it
#   harness_wait_window REGEX SECONDS  true once a mapped X window's name matches;
#                                  echoes its X window id
#   harness_windows_path PATH      the Windows path ("Z:\...") of a Unix path
#   harness_teardown               undoes what harness_setup of this shell did
#
# Rules that keep runs from hanging: every process is started with its output in a
# file, never a pipe (Wine's first process hands its output to background services);
# processes are ended by their own PID, never by name; nothing waits without a bound,
# and nothing calls a bare `wait` (it would wait for Xvfb too).

HARNESS_DIR=""
HARNESS_OWNER=0
HARNESS_XVFB_PID=""
HARNESS_LAST_PID=""

harness_log() {
    printf 'harness: %s\n' "$*" >&2
}

# Polls a command until it succeeds; false after SECONDS (whole seconds).
harness_poll() {
    local seconds=$1
    shift
    local deadline
    deadline=$(($(date +%s%N) + seconds * 1000000000))
    until "$@"; do
        if (($(date +%s%N) >= deadline)); then
            return 1
        fi
        sleep 0.05
    done
}

# True while PID runs. A process that has ended but is not yet reaped (a zombie: in a
# container nobody may ever reap it) counts as ended.
harness_process_running() {
    local pid=$1 stat
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
    stat=${stat##*) }
    [[ ${stat%% *} != Z ]]
}

harness_process_ended() {
    ! harness_process_running "$1"
}

harness_start_xvfb() {
    local display_file="$HARNESS_DIR/xvfb-display"
    : >"$display_file"
    # -displayfd lets Xvfb pick a free display itself, with no race against others.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$display_file" </dev/null >"$HARNESS_DIR/xvfb.log" 2>&1 &
    HARNESS_XVFB_PID=$!
    if ! harness_poll 15 test -s "$display_file"; then
        harness_log "Xvfb did not start; see $HARNESS_DIR/xvfb.log"
        return 1
    fi
    local display
    read -r display <"$display_file"
    export DISPLAY=":$display"
}

harness_stop_xvfb() {
    [[ -n $HARNESS_XVFB_PID ]] || return 0
    kill -TERM "$HARNESS_XVFB_PID" 2>/dev/null || true
    if ! harness_poll 10 harness_process_ended "$HARNESS_XVFB_PID"; then
        kill -KILL "$HARNESS_XVFB_PID" 2>/dev/null || true
    fi
    wait "$HARNESS_XVFB_PID" 2>/dev/null || true
    HARNESS_XVFB_PID=""
}

# The environment every Wine process of the harness runs in.
harness_export_wine_environment() {
    export WINEPREFIX="$HARNESS_DIR/prefix"
    export WINEDEBUG=-all
    # No Mono or Gecko prompts, and no menu entries written into $HOME.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # The same language and code page on every machine: English captions ("OK") and
    # code page 1252, whatever the developer's own locale.
    export LC_ALL=${ZENVORAL_HARNESS_LOCALE:-C.UTF-8}
}

harness_setup() {
    HARNESS_DIR=$(mktemp -d "${TMPDIR:-/tmp}/zenvoral-harness.XXXXXX")
    HARNESS_OWNER=1
    export ZENVORAL_HARNESS_DIR=$HARNESS_DIR
    harness_export_wine_environment
    if [[ -z ${DISPLAY:-} || ${ZENVORAL_HARNESS_XVFB:-0} == 1 ]]; then
        harness_start_xvfb || return 1
    fi
    # The registry files reach the disk only when this first server has gone.
    wineboot -i </dev/null >"$HARNESS_DIR/wineboot.log" 2>&1 || {
        harness_log "wineboot failed; see $HARNESS_DIR/wineboot.log"
        return 1
    }
    timeout 120 wineserver -w || true
    wineserver -p </dev/null >/dev/null 2>&1
    # The first process starts the background services, which inherit its output:
    # let that be /dev/null rather than a pipe somebody reads to the end.
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

harness_attach_or_setup() {
    if [[ -n ${ZENVORAL_HARNESS_DIR:-} && -d ${ZENVORAL_HARNESS_DIR}/prefix ]]; then
        HARNESS_DIR=$ZENVORAL_HARNESS_DIR
        HARNESS_OWNER=0
        harness_export_wine_environment
        return 0
    fi
    harness_setup
}

harness_teardown() {
    [[ $HARNESS_OWNER == 1 ]] || return 0
    HARNESS_OWNER=0
    if [[ -d $WINEPREFIX ]]; then
        wineserver -k </dev/null >/dev/null 2>&1 || true
        timeout 30 wineserver -w </dev/null >/dev/null 2>&1 || true
    fi
    harness_stop_xvfb
    rm -rf "$HARNESS_DIR"
    unset ZENVORAL_HARNESS_DIR
    HARNESS_DIR=""
}

# Logs go to HARNESS_LOG_DIR when set (a test's own folder), else the harness folder.
harness_start_program() {
    local exe=$1
    shift
    local log
    log=$(mktemp --suffix=.log "${HARNESS_LOG_DIR:-$HARNESS_DIR}/$(basename "$exe").XXXXXX")
    wine "$exe" "$@" </dev/null >"$log" 2>&1 &
    HARNESS_LAST_PID=$!
    echo "$HARNESS_LAST_PID"
}

harness_wait_exit() {
    harness_poll "$2" harness_process_ended "$1"
}

harness_end_program() {
    local pid=$1
    if harness_process_running "$pid"; then
        kill -TERM "$pid" 2>/dev/null || true
        if ! harness_wait_exit "$pid" 10; then
            kill -KILL "$pid" 2>/dev/null || true
            harness_wait_exit "$pid" 10 || {
                harness_log "process $pid does not end"
                return 1
            }
        fi
    fi
    # Reaps it when it is this shell's child; a no-op otherwise.
    wait "$pid" 2>/dev/null || true
}

harness_find_x_window() {
    local ids
    ids=$(xdotool search --onlyvisible --name "$1" 2>/dev/null) && [[ -n $ids ]] || return 1
    echo "${ids%%$'\n'*}"
}

harness_wait_window() {
    local regex=$1 seconds=$2 id
    if ! harness_poll "$seconds" harness_find_x_window "$regex" >/dev/null; then
        return 1
    fi
    id=$(harness_find_x_window "$regex") && echo "$id"
}

harness_windows_path() {
    local path
    path=$(realpath -m "$1")
    # A new prefix maps drive Z: to the Unix root.
    printf 'Z:%s\n' "${path//\//\\}"
}
