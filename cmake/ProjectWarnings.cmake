# Warnings are errors in project code; third-party headers come in as system headers.
function(tg_project_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:/W4 /WX>)
  else()
    # C++ only: the resource compiler shares the target's options and knows none of these.
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Werror>)
  endif()
  # GCC 12 when optimising reports a false -Wrestrict inside std::string for "literal" + string
  # (GCC bug 105329), which the simulator and its tests write throughout.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
  endif()
endfunction()
