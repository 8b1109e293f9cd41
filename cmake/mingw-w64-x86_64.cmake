# The test host build: 64-bit Windows, run under 64-bit Wine (the build machines run no 32-bit code).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZT_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
