# Runs zenvoral-convert once in a fresh folder and checks what it did, byte for byte.
#
#   PROGRAM          the built converter
#   EMULATOR         what runs it (wine for the Windows build), may be empty
#   WORK_DIR         a folder of this test's own; emptied first
#   FILES            "source>name|..." files copied into WORK_DIR before the run
#   COPY_PROGRAM     ON: run a copy of the program placed in WORK_DIR
#   ARGS             "|"-separated arguments; the program runs inside WORK_DIR
#   STDIN            file fed to standard input (default: an empty file)
#   EXPECT_EXIT      exit code
#   EXPECT_STDOUT    file holding the exact expected standard output (default: empty),
#                    or with EXPECT_STDOUT_CONTAINS a text standard output must contain
#   EXPECT_STDERR    file holding the exact expected standard error (default: empty),
#                    or with EXPECT_STDERR_CONTAINS a text standard error must contain

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

if(FILES)
  string(REPLACE "|" ";" copies "${FILES}")
  foreach(copy IN LISTS copies)
    string(REPLACE ">" ";" pair "${copy}")
    list(GET pair 0 source)
    list(GET pair 1 name)
    configure_file("${source}" "${WORK_DIR}/${name}" COPYONLY)
  endforeach()
endif()

set(program "${PROGRAM}")
if(COPY_PROGRAM)
  get_filename_component(program_name "${PROGRAM}" NAME)
  configure_file("${PROGRAM}" "${WORK_DIR}/${program_name}" COPYONLY)
  set(program "${WORK_DIR}/${program_name}")
endif()

string(REPLACE "|" ";" arguments "${ARGS}")
if(NOT STDIN)
  set(STDIN "${WORK_DIR}/empty-input")
  file(WRITE "${STDIN}" "")
endif()

# Output goes to files, not pipes: Wine's background services inherit the handles and
# would keep a pipe open after the program has ended.
execute_process(
  COMMAND ${EMULATOR} "${program}" ${arguments}
  WORKING_DIRECTORY "${WORK_DIR}"
  INPUT_FILE "${STDIN}"
  OUTPUT_FILE "${WORK_DIR}/stdout"
  ERROR_FILE "${WORK_DIR}/stderr"
  RESULT_VARIABLE exit_code
  TIMEOUT 60)

file(READ "${WORK_DIR}/stdout" actual_stdout HEX)
file(READ "${WORK_DIR}/stderr" actual_stderr)
file(READ "${WORK_DIR}/stderr" actual_stderr_hex HEX)
set(failures "")

if(NOT "${exit_code}" STREQUAL "${EXPECT_EXIT}")
  string(APPEND failures "exit code ${exit_code}, expected ${EXPECT_EXIT}\n")
endif()

if(EXPECT_STDOUT_CONTAINS)
  file(READ "${WORK_DIR}/stdout" actual_stdout_text)
  string(FIND "${actual_stdout_text}" "${EXPECT_STDOUT_CONTAINS}" found)
  if(found EQUAL -1)
    string(APPEND failures "standard output lacks \"${EXPECT_STDOUT_CONTAINS}\"\n")
  endif()
else()
  set(expected_stdout "")
  if(EXPECT_STDOUT)
    file(READ "${EXPECT_STDOUT}" expected_stdout HEX)
  endif()
  if(NOT actual_stdout STREQUAL expected_stdout)
    string(APPEND failures "standard output\n  was      ${actual_stdout}\n  expected ${expected_stdout}\n")
  endif()
endif()

if(EXPECT_STDERR_CONTAINS)
  string(FIND "${actual_stderr}" "${EXPECT_STDERR_CONTAINS}" found)
  if(found EQUAL -1)
    string(APPEND failures "standard error lacks \"${EXPECT_STDERR_CONTAINS}\"\n")
  endif()
else()
  set(expected_stderr "")
  if(EXPECT_STDERR)
    file(READ "${EXPECT_STDERR}" expected_stderr HEX)
  endif()
  if(NOT actual_stderr_hex STREQUAL expected_stderr)
    string(APPEND failures "standard error\n  was      ${actual_stderr_hex}\n  expected ${expected_stderr}\n")
  endif()
endif()

if(failures)
  string(REPLACE "|" " " shown_arguments "${ARGS}")
  message(FATAL_ERROR "zenvoral-convert ${shown_arguments}\n${failures}standard error text:\n${actual_stderr}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
