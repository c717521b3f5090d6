# Cross build for Windows with Debian's MinGW-w64.
# The including toolchain file sets MINGW_ARCH to x86_64 or i686, and may set
# MINGW_THREAD_MODEL to posix or win32 to pick that compiler variant explicitly;
# without it the system's default variant (win32) is used.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_ARCH})
set(mingw_variant "")
if(MINGW_THREAD_MODEL)
  set(mingw_variant "-${MINGW_THREAD_MODEL}")
endif()
set(CMAKE_C_COMPILER ${MINGW_ARCH}-w64-mingw32-gcc${mingw_variant})
set(CMAKE_CXX_COMPILER ${MINGW_ARCH}-w64-mingw32-g++${mingw_variant})
set(CMAKE_RC_COMPILER ${MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
