#!/usr/bin/env bash
# Started from a folder without layouts.txt, the program says so and, once the message
# is closed, ends by itself.
source "$(dirname "$0")/e2e-common.sh"

e2e_prepare_program_folder
e2e_start_zenvoral

e2e_wait_message_box
e2e_expect_message_text 'Cannot find this file: layouts.txt\r\nThe program cannot run without this file!\n'
e2e_expect_running
e2e_press_message_box_button OK

e2e_wait_zenvoral_exit || e2e_fail "the program still runs after the message was closed"
