# i686 with the posix thread model, for the 32-bit Windows conformance tests
# (GoogleTest needs std::mutex); otherwise as the 32-bit program's build.
set(MINGW_THREAD_MODEL posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
