# Runs quillmere-cli once and checks its exit code and standard output (a regular expression).
#   cmake -DCLI=exe [-DEMULATOR=runner] -DARGS=a|b|c -DEXPECT_RC=n -DEXPECT_OUT=regex -P cli_check.cmake
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND ${EMULATOR} ${CLI} ${args}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\r" "" out "${out}")
if(NOT rc STREQUAL "${EXPECT_RC}")
  message(FATAL_ERROR "quillmere-cli ${args}: exit ${rc}, expected ${EXPECT_RC}\n${out}${err}")
endif()
if(NOT out MATCHES "${EXPECT_OUT}")
  message(FATAL_ERROR "quillmere-cli ${args}: output\n${out}\ndoes not match\n${EXPECT_OUT}")
endif()
