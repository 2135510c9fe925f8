# shellcheck shell=bash
# The Wine session the Windows build's tests run in. Source it from bash:
#
#   harness_begin            a throw-away prefix (and an Xvfb without DISPLAY) whose first
#                            boot runs in the background; exports WINEPREFIX ... DISPLAY
#   harness_ready            true once that boot (about 15 s) is over
#   harness_setup            both; harness_attach_or_setup joins the session named by
#                            ZENVORAL_HARNESS_DIR (scripts/test exports it) instead
#   harness_teardown         undoes what harness_begin of this shell did
#   harness_start_program EXE ARGS...  EXE in the background, its output in a log file,
#                            its PID in HARNESS_PID (call it outside $(...))
#   harness_wait_exit PID SECONDS | harness_end_program PID (TERM, then KILL)
#   harness_poll SECONDS COMMAND...    true once COMMAND succeeds within the bound
#   harness_wait_window REGEX SECONDS  true once a mapped X window's name matches
#
# Rules that keep runs from hanging: nothing started under Wine writes into a pipe
# before the boot, whose output goes to a file, is over (Wine's first programs hand
# their output on to background services); processes are ended by their own PID, never
# by name; every wait has a bound; no bare `wait` (it would wait for Xvfb too).

HARNESS_DIR=""
HARNESS_OWNER=0
HARNESS_XVFB_PID=""
HARNESS_SESSION_PID=""
HARNESS_PID=""

harness_poll() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# A process that has ended but is not reaped (a zombie: in a container nobody may reap
# it) counts as ended.
harness_process_running() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    stat=${stat##*) }
    [[ ${stat%% *} != Z ]]
}

harness_process_ended() {
    ! harness_process_running "$1"
}

harness_export_wine_environment() {
    export WINEPREFIX="$HARNESS_DIR/prefix" WINEDEBUG=-all
    # No Mono or Gecko prompts, and no menu entries written into $HOME.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # English captions ("OK") and code page 1252, whatever the developer's own locale.
    export LC_ALL=C.UTF-8
}

harness_begin() {
    HARNESS_DIR=$(mktemp -d "${TMPDIR:-/tmp}/zenvoral-harness.XXXXXX")
    HARNESS_OWNER=1
    export ZENVORAL_HARNESS_DIR=$HARNESS_DIR
    harness_export_wine_environment
    if [[ -z ${DISPLAY:-} ]]; then
        # -displayfd lets Xvfb pick a free display itself, with no race against others.
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$HARNESS_DIR/display" \
            </dev/null >"$HARNESS_DIR/xvfb.log" 2>&1 &
        HARNESS_XVFB_PID=$!
        harness_poll 15 test -s "$HARNESS_DIR/display" || {
            echo "harness: Xvfb did not start; see $HARNESS_DIR/xvfb.log" >&2
            return 1
        }
        DISPLAY=":$(<"$HARNESS_DIR/display")" && export DISPLAY
    fi
    mkdir "$WINEPREFIX"
    mkfifo "$HARNESS_DIR/keeper"
    wineserver -p </dev/null >/dev/null 2>&1
    # The first boot, then a console waiting for input that never comes: it keeps the
    # desktop process the boot started, with its output in a file, for the whole session.
    # Without it Wine ends that process when no program is left, the next program to
    # show a window starts a new one with that program's output, and whoever reads that
    # output to its end (CTest) waits for it: 15 s and more.
    (wineboot -i && touch "$HARNESS_DIR/booted" && exec wine cmd <>"$HARNESS_DIR/keeper") \
        </dev/null >"$HARNESS_DIR/wineboot.log" 2>&1 &
    HARNESS_SESSION_PID=$!
}

harness_boot_over() {
    [[ -e $HARNESS_DIR/booted ]] || harness_process_ended "$HARNESS_SESSION_PID"
}

harness_ready() {
    harness_poll 180 harness_boot_over
    [[ -e $HARNESS_DIR/booted ]] || {
        echo "harness: wineboot failed; see $HARNESS_DIR/wineboot.log" >&2
        return 1
    }
}

harness_setup() {
    harness_begin && harness_ready
}

harness_attach_or_setup() {
    if [[ -d ${ZENVORAL_HARNESS_DIR:-}/prefix ]]; then
        HARNESS_DIR=$ZENVORAL_HARNESS_DIR
        harness_export_wine_environment
    else
        harness_setup
    fi
}

harness_teardown() {
    ((HARNESS_OWNER == 1)) || return 0
    HARNESS_OWNER=0
    [[ -z $HARNESS_SESSION_PID ]] || harness_end_program "$HARNESS_SESSION_PID"
    wineserver -k </dev/null >/dev/null 2>&1 || true
    timeout 30 wineserver -w </dev/null >/dev/null 2>&1 || true
    [[ -z $HARNESS_XVFB_PID ]] || harness_end_program "$HARNESS_XVFB_PID"
    rm -rf "$HARNESS_DIR"
    unset ZENVORAL_HARNESS_DIR
}

# Logs go to HARNESS_LOG_DIR when set (a test's own folder), else the harness folder.
harness_start_program() {
    local exe=$1 log
    shift
    log=$(mktemp --suffix=.log "${HARNESS_LOG_DIR:-$HARNESS_DIR}/$(basename "$exe").XXXXXX")
    wine "$exe" "$@" </dev/null >"$log" 2>&1 &
    # shellcheck disable=SC2034 # for the scripts that source this
    HARNESS_PID=$!
}

harness_wait_exit() {
    harness_poll "$2" harness_process_ended "$1"
}

harness_end_program() {
    if harness_process_running "$1"; then
        kill -TERM "$1" 2>/dev/null || true
        harness_wait_exit "$1" 10 || kill -KILL "$1" 2>/dev/null || true
        harness_wait_exit "$1" 10 || {
            echo "harness: process $1 does not end" >&2
            return 1
        }
    fi
    # Reaps it when it is this shell's child; a no-op otherwise.
    wait "$1" 2>/dev/null || true
}

harness_find_x_window() {
    local ids
    ids=$(xdotool search --onlyvisible --name "$1" 2>/dev/null) && [[ -n $ids ]] &&
        echo "${ids%%$'\n'*}"
}

harness_wait_window() {
    harness_poll "$2" harness_find_x_window "$1" >/dev/null && harness_find_x_window "$1"
}
