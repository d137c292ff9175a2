# A tool given a bad number for an option must stop with status 2 and say which option and why.
#   cmake "-DCOMMAND=[wine;]program" -DOPTION=--width -DVALUE=abc -DPROGRAM=screen-svg -P check_refused_number.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${COMMAND} ${OPTION} ${VALUE} RESULT_VARIABLE status OUTPUT_VARIABLE output
                ERROR_VARIABLE errors)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "${OPTION} ${VALUE}: exit status ${status}, expected 2\n${output}${errors}")
endif()
string(FIND "${errors}" "${PROGRAM}: error: ${OPTION}: '${VALUE}' is not a whole number" found)
if(found EQUAL -1)
  message(FATAL_ERROR "${OPTION} ${VALUE}: no clear message on stderr:\n${errors}")
endif()
if(NOT output STREQUAL "")
  message(FATAL_ERROR "${OPTION} ${VALUE}: the tool went on and printed:\n${output}")
endif()
