# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads flavour).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TG_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TG_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TG_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TG_MINGW_PREFIX}-windres)
set(CMAKE_DLLTOOL ${TG_MINGW_PREFIX}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${TG_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests of the Windows build run their programs under Wine.
find_program(TG_WINE wine)
if(TG_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TG_WINE})
endif()
