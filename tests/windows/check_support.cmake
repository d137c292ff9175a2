# What the PE and release checks share: failures are gathered and reported together at the end.
set(failures "")
macro(fail message)
  string(APPEND failures "  ${message}\n")
endmacro()

# Records `message` as a failure unless `text` matches the regular expression `pattern`.
function(expect_match text pattern message)
  if(NOT text MATCHES "${pattern}")
    set(failures "${failures}  ${message}\n" PARENT_SCOPE)
  endif()
endfunction()
