# Reads `objdump -p` of a PE file and checks what it imports and exports.
#   cmake -DOBJDUMP=... -DFILE=... -DKIND=script|host -P check_pe.cmake
# script: a PE32+ DLL whose only non-system import is ScriptHookV.dll with exactly the host's six
#         decorated names, which takes its clock, keys and window focus from kernel32/user32 and
#         exports nothing.
# host:   a PE32+ DLL (the substitute ScriptHookV.dll) that exports the six decorated names and
#         imports system libraries only.
cmake_minimum_required(VERSION 3.25)

set(host_functions
  "?nativeCall@@YAPEA_KXZ"
  "?nativeInit@@YAX_K@Z"
  "?nativePush64@@YAX_K@Z"
  "?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z"
  "?scriptUnregister@@YAXPEAUHINSTANCE__@@@Z"
  "?scriptWait@@YAXK@Z")
# Libraries every Windows installation has; anything else would have to ship beside the DLL.
set(system_library_pattern "^(kernel32|user32|msvcrt|ucrtbase|ntdll|advapi32|api-ms-win-[a-z0-9-]+)\\.dll$")

include(${CMAKE_CURRENT_LIST_DIR}/check_support.cmake)

execute_process(COMMAND ${OBJDUMP} -p ${FILE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${FILE} failed (${status})")
endif()

expect_match("${dump}" "file format pei-x86-64" "not a 64-bit PE file")
expect_match("${dump}" "Magic[\t ]+020b[\t ]+\\(PE32\\+\\)" "optional header is not PE32+")
expect_match("${dump}" "Characteristics[^\n]*\n([\t][^\n]*\n)*[\t]DLL\n" "the DLL flag is not set")

# One list entry per line; brackets would confuse CMake's list splitting.
string(REPLACE "[" "<" dump "${dump}")
string(REPLACE "]" ">" dump "${dump}")
string(REPLACE ";" "," dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")

set(section "")
set(library "")
set(libraries "")
set(exports "")
foreach(line IN LISTS lines)
  if(line MATCHES "^The Import Tables")
    set(section imports)
  elseif(line MATCHES "^<Ordinal/Name Pointer> Table")
    set(section exports)
  elseif(line MATCHES "^The ")
    set(section "")
  elseif(section STREQUAL "imports" AND line MATCHES "^[\t]DLL Name: (.+)$")
    set(library "${CMAKE_MATCH_1}")
    string(TOLOWER "${library}" key)
    list(APPEND libraries "${key}")
    set(imports_${key} "")
  elseif(section STREQUAL "imports" AND line MATCHES "^[\t][0-9a-f]+[\t] +[0-9]+  (.+)$")
    list(APPEND imports_${key} "${CMAKE_MATCH_1}")
  elseif(section STREQUAL "exports" AND line MATCHES "^[\t]< *[0-9]+> (.+)$")
    list(APPEND exports "${CMAKE_MATCH_1}")
  endif()
endforeach()

foreach(name IN LISTS libraries)
  if(NOT name STREQUAL "scripthookv.dll" AND NOT name MATCHES "${system_library_pattern}")
    fail("imports from ${name}, which is not a system library")
  endif()
endforeach()

if(KIND STREQUAL "script")
  if(NOT "scripthookv.dll" IN_LIST libraries)
    fail("imports nothing from ScriptHookV.dll")
  else()
    set(imported ${imports_scripthookv.dll})
    list(SORT imported)
    if(NOT imported STREQUAL host_functions)
      fail("imports [${imported}] from ScriptHookV.dll, expected exactly [${host_functions}]")
    endif()
  endif()
  # The simulated host's runners redirect these imports; each must be there under its own name.
  foreach(name IN ITEMS GetTickCount GetCurrentProcessId)
    if(NOT name IN_LIST imports_kernel32.dll)
      fail("does not import ${name} from KERNEL32.dll")
    endif()
  endforeach()
  foreach(name IN ITEMS GetAsyncKeyState GetForegroundWindow GetWindowThreadProcessId)
    if(NOT name IN_LIST imports_user32.dll)
      fail("does not import ${name} from USER32.dll")
    endif()
  endforeach()
  if(exports)
    fail("exports [${exports}]; the script exports nothing")
  endif()
elseif(KIND STREQUAL "host")
  if("scripthookv.dll" IN_LIST libraries)
    fail("the host imports from ScriptHookV.dll")
  endif()
  foreach(name IN LISTS host_functions)
    if(NOT name IN_LIST exports)
      fail("does not export ${name}")
    endif()
  endforeach()
else()
  message(FATAL_ERROR "KIND must be script or host")
endif()

foreach(name IN LISTS libraries)
  list(JOIN imports_${name} " " names)
  message(STATUS "${name}: ${names}")
endforeach()
list(JOIN exports " " names)
message(STATUS "exports: ${names}")

if(failures)
  message(FATAL_ERROR "${FILE}:\n${failures}")
endif()
