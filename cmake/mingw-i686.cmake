set(MINGW_ARCH i686)
# Every processor that runs a supported Windows has SSE2: with it the 32-bit
# build rounds as the 64-bit one does, and the analysis's two-lane loops get
# vector registers.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
