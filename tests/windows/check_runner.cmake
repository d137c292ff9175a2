# Runs TobekGunnerSim on the real script and checks its report and the trace it writes.
#   cmake -DEMULATOR=wine -DRUNNER=... -DSCRIPT=... -DTRACE=... -P check_runner.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE ${TRACE})
execute_process(
  COMMAND ${EMULATOR} ${RUNNER} --script ${SCRIPT} --frames 120 --start-tick 5000 --frame-ms 20 --trace ${TRACE}
  RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE errors)
message(STATUS "runner: ${report}${errors}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the runner failed (${status})")
endif()
# 120 frames of 20 ms from tick 5000: the last frame shows 5000 + 119 * 20.
if(NOT report MATCHES "^120 frames, [0-9]+ native calls, 120 waits, last tick 7380\n$")
  message(FATAL_ERROR "unexpected report: ${report}")
endif()

file(STRINGS ${TRACE} lines)
list(LENGTH lines count)
if(count LESS 2)
  message(FATAL_ERROR "the trace holds ${count} lines")
endif()
list(GET lines 0 first)
list(GET lines 1 second)
set(expected_first [[{"frame":1,"tick":5000,"name":"GET_SCREEN_RESOLUTION","hash":"0x888D57E407E63624","args":[{"out":1280},{"out":720}],"result":null}]])
set(expected_second [[{"frame":1,"tick":5000,"name":"REQUEST_STREAMED_TEXTURE_DICT","hash":"0xDFA2EF8E04127DD5","args":["Darts",0],"result":null}]])
if(NOT first STREQUAL expected_first)
  message(FATAL_ERROR "first trace line\n  expected ${expected_first}\n  got      ${first}")
endif()
if(NOT second STREQUAL expected_second)
  message(FATAL_ERROR "second trace line\n  expected ${expected_second}\n  got      ${second}")
endif()
