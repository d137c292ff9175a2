# Checks the release zip a player installs from: it holds exactly TobekGunner.asi, TobekGunner.ini
# and README.txt,
# the .asi's resource section carries the version resource with the product name and the
# project's version, and the README names that version.
#   cmake -DOBJDUMP=... -DZIP=... -DVERSION=... -DWORK=<scratch folder> -P check_release_zip.cmake
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/check_support.cmake)

# The hex digits of `text` in UTF-16LE, as version resources store their strings.
function(utf16_hex text out)
  string(HEX "${text}" bytes)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\100" wide "${bytes}")
  set(${out} "${wide}" PARENT_SCOPE)
endfunction()

get_filename_component(ZIP "${ZIP}" ABSOLUTE)
if(NOT EXISTS "${ZIP}")
  message(FATAL_ERROR "no release zip at ${ZIP}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ZIP} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot list ${ZIP}")
endif()
string(REPLACE "\n" ";" entries "${listing}")
list(REMOVE_ITEM entries "")
list(SORT entries)
if(NOT entries STREQUAL "README.txt;TobekGunner.asi;TobekGunner.ini")
  fail("holds [${entries}], expected exactly [README.txt;TobekGunner.asi;TobekGunner.ini]")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS ${WORK}/TobekGunner.asi)
  message(FATAL_ERROR "${ZIP}:\n${failures}  cannot extract TobekGunner.asi")
endif()

# The resource section's bytes, from objdump's hex dump: " address  w1 w2 w3 w4  ascii" lines.
execute_process(COMMAND ${OBJDUMP} -s -j .rsrc ${WORK}/TobekGunner.asi OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  fail("TobekGunner.asi has no resource section")
endif()
set(section "")
string(REPLACE "\n" ";" lines "${dump}")
foreach(line IN LISTS lines)
  if(line MATCHES "^ [0-9a-f]+ ((([0-9a-f]+) ?)+)  ")
    string(REPLACE " " "" words "${CMAKE_MATCH_1}")
    string(APPEND section "${words}")
  endif()
endforeach()

utf16_hex("VS_VERSION_INFO" info)
utf16_hex("ProductName" nameKey)
utf16_hex("Tobek Gunner" nameValue)
utf16_hex("ProductVersion" versionKey)
utf16_hex("FileVersion" fileVersionKey)
utf16_hex("${VERSION}" versionValue)
expect_match("${section}" "${info}" "TobekGunner.asi carries no version resource (VS_VERSION_INFO)")
# A string entry is its key, a terminating zero, padding to four bytes, then the value.
expect_match("${section}" "${nameKey}0000(0000)?${nameValue}0000"
             "the version resource has no ProductName \"Tobek Gunner\"")
expect_match("${section}" "${versionKey}0000(0000)?${versionValue}0000"
             "the version resource has no ProductVersion \"${VERSION}\"")
expect_match("${section}" "${fileVersionKey}0000(0000)?${versionValue}0000"
             "the version resource has no FileVersion \"${VERSION}\"")

file(READ ${WORK}/README.txt readme)
expect_match("${readme}" "Tobek Gunner ${VERSION}" "README.txt does not name version ${VERSION}")

if(failures)
  message(FATAL_ERROR "${ZIP}:\n${failures}")
endif()
message(STATUS "${ZIP}: TobekGunner.asi ${VERSION} with its version resource, README.txt")
