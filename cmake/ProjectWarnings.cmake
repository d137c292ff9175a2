# Warnings are errors in project code; third-party headers come in as system headers.
function(tg_project_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:/W4 /WX>)
  else()
    # C++ only: the resource compiler shares the target's options and knows none of these.
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Werror>)
  endif()
endfunction()
