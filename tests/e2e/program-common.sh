# shellcheck shell=bash
# Sourced by the end-to-end scripts that drive the resident program as a user would:
# its hidden main window, its notification icon and menu, its hotkeys, with the
# target window (zenvoral-target.exe) as the application the user works in. Builds
# on e2e-common.sh; zenvoral-target.exe and zenvoral-cycle-host.exe are built beside
# the test driver.

source "$(dirname "${BASH_SOURCE[0]}")/e2e-common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/target-common.sh"

readonly PROGRAM_SCREENSHOTS=${ZENVORAL_E2E_SCREENSHOTS:-$E2E_DIR/screenshots}
# A conversion, a window shown or hidden, a menu opened: bounds for what follows a key.
readonly PROGRAM_REACT_MS=10000

# Starts the program from a fresh folder with the shipped layouts.txt and waits for
# the end of its start-up.
program_start_resident() {
    : "${ZENVORAL_LAYOUTS:?path of the shipped layouts.txt}"
    e2e_prepare_program_folder "$ZENVORAL_LAYOUTS"
    e2e_start_zenvoral
    e2e_wait_started
}

program_ini() {
    echo "$(dirname "$E2E_PROGRAM")/Zenvoral.ini"
}

# Driver commands on the program's main window, hidden or not.
main_window() {
    local command=$1
    shift
    driver "$command" --owner "$E2E_PROGRAM_WIN" --class "$E2E_MAIN_WINDOW_CLASS" \
        "$E2E_STARTED_CAPTION" "$@"
}

main_window_expect() {
    main_window wait-state "$1" "$PROGRAM_REACT_MS" || e2e_fail "the main window is not $1"
}

keys() {
    driver send-keys "$1" || e2e_fail "cannot send $1"
}

# target_expect TEXT WHAT
target_expect() {
    host target-expect "$1" "$PROGRAM_REACT_MS" || e2e_fail "$2: the target does not hold \"$1\""
}

# The target back in the foreground, as after the user clicks into it.
target_activate() {
    driver activate "Zenvoral Target" || e2e_fail "cannot activate the target"
    host target-wait "$E2E_APPEAR_MS" || e2e_fail "the target is not in the foreground"
}

# screenshot NAME LEFT TOP WIDTH HEIGHT: a part of the display, as PNG, into the
# build folder (ZENVORAL_E2E_SCREENSHOTS).
screenshot() {
    local name=$1 left=$2 top=$3 width=$4 height=$5 whole="$E2E_DIR/screen.png"
    mkdir -p "$PROGRAM_SCREENSHOTS"
    timeout 20 import -window root "$whole" </dev/null >/dev/null 2>&1 ||
        e2e_fail "cannot take a screenshot"
    convert "$whole" -crop "${width}x${height}+${left}+${top}" +repage \
        "$PROGRAM_SCREENSHOTS/$name.png" || e2e_fail "cannot cut the screenshot $name"
}

# screenshot_window NAME COMMAND...: a window, with a margin round it, whose place
# COMMAND prints (a driver window-rect).
screenshot_window() {
    local name=$1 left top right bottom margin=12
    shift
    read -r left top right bottom < <("$@") ||
        e2e_fail "no place for the screenshot $name"
    ((left = left > margin ? left - margin : 0, top = top > margin ? top - margin : 0))
    screenshot "$name" "$left" "$top" $((right - left + margin)) $((bottom - top + margin))
}

# The notification area Wine shows without a desktop shell: a small window of its own.
tray_window_geometry() {
    local id
    id=$(harness_wait_window '^Wine System Tray$' 10) || e2e_fail "no notification area is shown"
    xdotool getwindowgeometry --shell "$id"
}

# Clicks the program's icon (the first in the notification area) with BUTTON (1 left,
# 3 right) and waits for its menu.
tray_open_menu() {
    local X Y WIDTH HEIGHT WINDOW SCREEN
    eval "$(tray_window_geometry)"
    xdotool mousemove $((X + 10)) $((Y + HEIGHT / 2)) click "${1:-3}"
    driver wait-menu open "$PROGRAM_REACT_MS" || e2e_fail "the tray menu did not open"
}

# Chooses a menu item by its access key.
menu_choose() {
    keys "$1"
    driver wait-menu closed "$PROGRAM_REACT_MS" || e2e_fail "the menu stays open after $1"
}

tray_icon_expect() {
    main_window tray-icon "$1" "$PROGRAM_REACT_MS" || e2e_fail "the notification icon is not $1"
}

# "E&xit" from the tray menu; true once the program has ended.
program_exit_from_menu() {
    tray_open_menu 3
    menu_choose x
    e2e_wait_zenvoral_exit || e2e_fail "the program still runs after E&xit"
}
