# x86_64 with the posix thread model, whose C++ runtime has std::mutex: GoogleTest
# needs it on Windows, so the Windows conformance tests are built with this.
set(MINGW_ARCH x86_64)
set(MINGW_THREAD_MODEL posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
