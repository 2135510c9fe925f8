#!/usr/bin/env bash
# The notification icon: a press opens the menu with its items, "&About..." opens the
# about window, "&Show" and a double click show the main window, and an icon lost by a
# restarting shell comes back when the shell announces itself.
source "$(dirname "$0")/program-common.sh"

program_start_resident
tray_icon_expect present

tray_open_menu 3
eval "$(tray_window_geometry)"
screenshot tray-menu "$X" "$Y" 240 180
menu_choose a
driver wait-window --owner "$E2E_PROGRAM_WIN" "About Zenvoral" "$PROGRAM_REACT_MS" >/dev/null ||
    e2e_fail "no about window"
driver window-text --owner "$E2E_PROGRAM_WIN" "About Zenvoral" >"$E2E_DIR/about-text" ||
    e2e_fail "cannot read the about window"
for line in 'Zenvoral' 'Version: 1.60'; do
    grep -qxF "$line" "$E2E_DIR/about-text" || e2e_fail "the about window lacks \"$line\""
done
screenshot_window about-window driver window-rect --owner "$E2E_PROGRAM_WIN" "About Zenvoral"
driver press --owner "$E2E_PROGRAM_WIN" "About Zenvoral" OK || e2e_fail "cannot press OK"
driver wait-no-window --owner "$E2E_PROGRAM_WIN" "About Zenvoral" "$PROGRAM_REACT_MS" ||
    e2e_fail "the about window stays after OK"

# "&Options..." opens the options dialog, modal; Cancel closes it.
tray_open_menu 3
menu_choose o
driver wait-window --owner "$E2E_PROGRAM_WIN" "Options" "$PROGRAM_REACT_MS" >/dev/null ||
    e2e_fail "no options dialog"
screenshot_window options-dialog driver window-rect --owner "$E2E_PROGRAM_WIN" "Options"
driver press --owner "$E2E_PROGRAM_WIN" "Options" Cancel || e2e_fail "cannot press Cancel"
driver wait-no-window --owner "$E2E_PROGRAM_WIN" "Options" "$PROGRAM_REACT_MS" ||
    e2e_fail "the options dialog stays after Cancel"

# The left button opens the menu too.
tray_open_menu 1
menu_choose s
main_window_expect shown-on-top
keys escape
main_window_expect hidden

main_window tray-callback 515 || e2e_fail "cannot double-click the icon"
main_window_expect shown-on-top
main_window close-window || e2e_fail "cannot close the main window"
main_window_expect hidden

# A restarting shell forgets every icon and then announces itself.
main_window tray-drop || e2e_fail "cannot take the icon away"
tray_icon_expect absent
driver shell-restarted || e2e_fail "cannot announce a new shell"
tray_icon_expect present

program_exit_from_menu
