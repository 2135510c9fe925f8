#!/usr/bin/env bash
# With the layouts.txt that ships beside the program, start-up shows no message and the
# program stays resident.
source "$(dirname "$0")/e2e-common.sh"

: "${ZENVORAL_LAYOUTS:?path of the shipped layouts.txt}"

e2e_prepare_program_folder "$ZENVORAL_LAYOUTS"
e2e_start_zenvoral

# A message box would hold start-up, so reaching its end means none was shown.
e2e_wait_started
e2e_expect_no_message_box
e2e_expect_running
e2e_end_zenvoral
