# The shipped build: 32-bit Windows, because the workstation's database engine exists only as a
# 32-bit library.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZT_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
